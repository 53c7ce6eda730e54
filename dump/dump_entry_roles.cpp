#include "dump/dump_entry_roles.h"

namespace tracciato::dump {

namespace {

bool numbers_zero(const voce& v) {
  return v.genere == 0 && v.inizio_area == 0 && v.fine_area == 0 && v.posizione == 0 &&
         v.opz1 == 0 && v.par1 == 0 && v.par2 == 0 && v.par3 == 0 && v.par4 == 0 &&
         v.par5 == 0 && v.opz2 == 0 && v.opz3 == 0 && v.opz4 == 0 && v.opz5 == 0 &&
         v.orario == 0;
}

struct Label {
  std::size_t index;
  std::string_view field;
  const char* label;
};

constexpr Label header_labels[] = {
    {81, "inizio_area", "value 1"},       {81, "fine_area", "value 2"},
    {81, "posizione", "value 3"},         {82, "inizio_area", "value 1"},
    {82, "fine_area", "value 2"},         {82, "posizione", "value 3"},
    {83, "inizio_area", "value 1"},       {83, "fine_area", "value 2"},
    {83, "posizione", "value 3"},         {84, "inizio_area", "braking mass percentage"},
    {84, "fine_area", "route length"},    {84, "posizione", "number of cars"},
    {85, "inizio_area", "sfondo uno"},    {85, "fine_area", "sfondo tre"},
    {85, "posizione", "sfondo due"},      {85, "nome", "route name"},
    {85, "par1", "mark 610"},             {85, "orario", "codice_gara_st"},
    {86, "inizio_area", "signal repetition, first"},
    {86, "fine_area", "signal repetition, second"},
    {86, "posizione", "number of codes"}, {86, "nome", "train name"},
    {86, "par1", "sand"},                 {86, "par3", "clock hours"},
    {86, "par4", "clock minutes"},        {86, "par5", "clock seconds"},
};

}  // namespace

EntryRoles entry_roles(const std::vector<voce>& voci) {
  EntryRoles r;
  r.role.assign(voci.size(), "unused");
  std::size_t k = 1;
  for (; k < voci.size() && k <= entry::first_signboard && !numbers_zero(voci[k]); ++k)
    r.role[k] = "station " + std::to_string(k);
  r.stations = static_cast<int>(k - 1);
  for (std::size_t i = 0; i < voci.size() && i <= entry::first_signboard; ++i)
    if ((i == 0 || i >= k) && !voci[i].nome.empty()) {
      r.role[i] = "signboard";
      ++r.signboards;
    }
  const struct {
    int index;
    const char* role;
  } fixed[] = {{entry::progressive_three, "progressive"}, {entry::progressive_two, "progressive"},
               {entry::progressive_one, "progressive"}, {entry::run_data, "run data"},
               {entry::route_header, "route header"},
               {entry::train_header, "train header"}};
  for (const auto& f : fixed)
    if (static_cast<std::size_t>(f.index) < voci.size()) r.role[static_cast<std::size_t>(f.index)] = f.role;
  return r;
}

const char* header_field_label(std::size_t index, std::string_view field) {
  for (const Label& l : header_labels)
    if (l.index == index && l.field == field) return l.label;
  return nullptr;
}

}  // namespace tracciato::dump
