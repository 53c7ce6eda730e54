#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "model/scenario.h"
#include "test_support/memory_platform.h"
#include "sources/embedded_tables.h"
#include "sources/source_writers.h"

// Layout checks of the three driver documents, read back from the bytes their writers
// put on disk, and their agreement with the embedded train text.

namespace tracciato {
namespace {

using Righe = std::vector<std::string>;
using Scrittore = void (*)(Platform&, const std::string&, const Scenario&);

std::string ripeti(std::size_t n, char c) { return std::string(n, c); }
bool vuota(const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; }
bool combacia(const std::string& s, const std::string& modello) {
  return std::regex_match(s, std::regex(modello));
}
std::string senza_coda(std::string s, char c = ' ') {
  while (!s.empty() && s.back() == c) s.pop_back();
  return s;
}
std::string pulita(const std::string& s) {
  return vuota(s) ? "" : senza_coda(s.substr(s.find_first_not_of(' ')));
}
// Metres of a kilometre point such as "38+950"; the order types its zeros as "O".
int metri(std::string km) {
  for (char& c : km) if (c == 'O') c = '0';
  const auto piu = km.find('+');
  return std::atoi(km.substr(0, piu).c_str()) * 1000 + std::atoi(km.substr(piu + 1).c_str());
}
int numero(std::string s) {
  for (char& c : s) if (c == 'O') c = '0';
  return std::atoi(s.c_str());
}

// One document as the run writes it, split back into lines: every line, the last one
// included, must end in CR LF, and the text must be printable ASCII without tabs.
Righe documento(Scrittore scrittore, const std::string& parte) {
  MemoryPlatform platform;
  Scenario s;
  s.nome_linea = "ROVELDA-MARNE";
  s.nome_treno = "K 517";
  scrittore(platform, "app", s);
  const std::string& testo = platform.files.at("app/ROVELDA-MARNE_K 517_" + parte);
  Righe righe;
  for (std::size_t da = 0; da < testo.size();) {
    const auto a = testo.find("\r\n", da);
    if (a == std::string::npos) {
      ADD_FAILURE() << parte << ": the last line does not end in CR LF";
      break;
    }
    righe.push_back(testo.substr(da, a - da));
    da = a + 2;
  }
  for (std::size_t i = 0; i < righe.size(); ++i)
    for (unsigned char c : righe[i])
      if (c < 32 || c > 126) ADD_FAILURE() << parte << " line " << i + 1 << ": byte " << int(c);
  return righe;
}

// The cells of a boxed row (one blank, a bar, then cells of the given widths each
// closed by a bar); empty when the row has another shape.
Righe celle(const std::string& riga, std::initializer_list<std::size_t> larghezze) {
  std::size_t lunghezza = 2;
  for (auto l : larghezze) lunghezza += l + 1;
  if (riga.size() != lunghezza || riga.compare(0, 2, " |") != 0) return {};
  Righe out;
  std::size_t da = 2;
  for (auto l : larghezze) {
    out.push_back(riga.substr(da, l));
    if (riga[da + l] != '|' || out.back().find('|') != std::string::npos) return {};
    da += l + 1;
  }
  return out;
}

struct Stazione {
  int posizione, ore, minuti;
  std::string nome;
};
struct Rallentamento {
  int posizione, velocita, lunghezza;
};

// Fields of a train-text line after its keyword; the 17th field of a station runs to
// the end of the line.
Righe campi(const std::string& riga, std::size_t quanti) {
  Righe out;
  std::size_t da = riga.find(',') + 1;
  while (out.size() + 1 < quanti) {
    const auto a = riga.find(',', da);
    out.push_back(riga.substr(da, a - da));
    da = a + 1;
  }
  out.push_back(riga.substr(da));
  return out;
}

std::vector<Stazione> stazioni_treno() {
  std::vector<Stazione> out;
  for (const auto& r : train_table())
    if (r.rfind("stazione,", 0) == 0) {
      const auto c = campi(r, 17);
      out.push_back({std::atoi(c[0].c_str()), std::atoi(c[13].c_str()), std::atoi(c[14].c_str()),
                     c[16].substr(c[16].find_first_not_of(' '))});
    }
  return out;
}

std::vector<Rallentamento> rallentamenti_treno() {
  std::vector<Rallentamento> out;
  for (const auto& r : train_table())
    if (r.rfind("rallentamento,", 0) == 0) {
      const auto c = campi(r, 6);
      out.push_back({std::atoi(c[0].c_str()), std::atoi(c[1].c_str()), std::atoi(c[2].c_str())});
    }
  return out;
}

const Stazione* stazione(const std::vector<Stazione>& tutte, const std::string& nome) {
  for (const auto& s : tutte)
    if (s.nome == nome) return &s;
  return nullptr;
}

// Whether a tunnel signboard of the route text carries `nome` as one of its rows.
bool galleria_del_percorso(const std::string& nome) {
  for (const auto& r : route_table())
    if (r.rfind("cartello_indicatore,", 0) == 0 && r.find("(GALLERIA") != std::string::npos &&
        std::regex_search(r, std::regex("\\(" + nome + " *\\)")))
      return true;
  return false;
}

// ---------------------------------------------------------------- train sheet

constexpr std::initializer_list<std::size_t> colonne = {5, 5, 10, 5, 28, 16, 5};

struct RigaOrario {
  std::string lim, marc, km, luogo, arrivo, partenza, passaggio, recupero;
  char genere;  // 'o' origin, 's' stop, 'p' pass-through, 'v' speed change, 't' terminus
};

std::vector<RigaOrario> righe_orario(const Righe& scheda) {
  std::vector<RigaOrario> out;
  if (scheda.size() < 53) {
    ADD_FAILURE() << "the sheet has only " << scheda.size() << " lines";
    return out;
  }
  std::smatch m;
  for (int i = 16; i < 53; ++i) {
    const auto c = celle(scheda[i], colonne);
    if (c.empty()) {
      ADD_FAILURE() << "sheet line " << i + 1 << " is not a timetable row";
      continue;
    }
    RigaOrario r{c[0], c[1], c[2], c[4], "", "", "", c[6], 'v'};
    if (std::regex_match(c[5], m, std::regex(R"((\d\d\.\d\d)[+ ]   (\d\d\.\d\d)  )")))
      r.genere = 's', r.arrivo = m[1], r.partenza = m[2];
    else if (std::regex_match(c[5], m, std::regex(R"(     (\d\d\.\d\d)      )")))
      r.genere = 'p', r.passaggio = m[1];
    else if (std::regex_match(c[5], m, std::regex(R"(         (\d\d\.\d\d)  )")))
      r.genere = 'o', r.partenza = m[1];
    else if (std::regex_match(c[5], m, std::regex(R"((\d\d\.\d\d)\+? *)")))
      r.genere = 't', r.arrivo = m[1];
    else
      EXPECT_TRUE(vuota(c[5])) << "times of sheet line " << i + 1 << ": '" << c[5] << "'";
    for (int k : {0, 1})
      EXPECT_TRUE(vuota(c[k]) || combacia(c[k], " *[1-9][0-9]* "))
          << "speed of sheet line " << i + 1;
    EXPECT_TRUE(combacia(c[2], R"( *\d+\+\d\d\d  )") && c[2][4] == '+')
        << "kilometre point of sheet line " << i + 1 << ": '" << c[2] << "'";
    EXPECT_TRUE(vuota(c[3])) << "sheet line " << i + 1;
    EXPECT_NE(c[4][0], ' ') << "place of sheet line " << i + 1 << " is not left-aligned";
    // Stop rows lead the eye to the times with dots; every other row is padded with blanks.
    if (r.genere == 's')
      EXPECT_TRUE(combacia(c[4], R"(.*[^. ]\.+)")) << "stop place of line " << i + 1;
    else
      EXPECT_TRUE(combacia(c[4], R"(.*[^. ] +)")) << "place of line " << i + 1;
    EXPECT_TRUE(vuota(c[6]) || combacia(c[6], R"(  [1-9][+ ] )")) << "recovery, line " << i + 1;
    out.push_back(r);
  }
  return out;
}

std::string nome_luogo(const RigaOrario& r) {
  return senza_coda(senza_coda(r.luogo), '.');
}

TEST(TrainSheetDocument, HeaderBoxesStandAtTheirColumns) {
  const Righe s = documento(dati_scheda, "scheda_treno.txt");
  ASSERT_EQ(s.size(), 59u);
  for (int i : {0, 1, 11, 57}) EXPECT_EQ(s[i], "") << "line " << i + 1;
  EXPECT_EQ(s[2], "  " + ripeti(19, '_') + ripeti(47, ' ') + ripeti(14, '_'));
  Righe box[3];
  for (int i = 0; i < 3; ++i) {
    box[i] = celle(s[3 + i], {19, 45, 14});
    ASSERT_EQ(box[i].size(), 3u) << "line " << 4 + i;
  }
  EXPECT_TRUE(vuota(box[0][0]) && vuota(box[0][2]));
  EXPECT_TRUE(combacia(box[1][0], "   TRENO n\\.  \\d\\d\\d   "));
  EXPECT_EQ(box[2][0], ripeti(19, '_'));
  EXPECT_TRUE(combacia(box[0][1], ripeti(20, ' ') + "SCHEDA TRENO *"));
  const auto stazioni = stazioni_treno();
  ASSERT_FALSE(stazioni.empty());
  EXPECT_EQ(box[1][1], (ripeti(19, ' ') + "da: " + stazioni.front().nome + ripeti(45, ' ')).substr(0, 45));
  EXPECT_EQ(box[2][1], (ripeti(20, ' ') + "a: " + stazioni.back().nome + ripeti(45, ' ')).substr(0, 45));
  EXPECT_EQ(box[1][2], "    V140 B    ");
  EXPECT_EQ(box[2][2], "     125%     ");
  EXPECT_EQ(s[6], ripeti(67, ' ') + "|" + ripeti(14, '_') + "|");
  EXPECT_EQ(s[7], "  " + ripeti(19, '_') + ripeti(16, ' ') + ripeti(19, '_'));
  auto doppia = [](const std::string& a, const std::string& b) {
    return " |" + a + "|" + ripeti(14, ' ') + "|" + b + "|";
  };
  EXPECT_EQ(s[8], doppia("  CLASSIFICAZIONE  ", "  MASSA BLOCCATA   ") + ripeti(7, ' '));
  EXPECT_EQ(s[9], doppia("      DIRETTO      ", "      630T         "));
  EXPECT_EQ(s[10], doppia(ripeti(19, '_'), ripeti(19, '_')));
  EXPECT_EQ(s[12], "  " + ripeti(80, '_'));
  EXPECT_EQ(s[58],
            " IL PRESENTE ORARIO SI RIFERISCE AD UN DIRETTO CHE SI EFFETTUAVA NEGLI ANNI 82/83");
}

TEST(TrainSheetDocument, TimetableKeepsItsColumnsHeadingsAndEmptyRows) {
  const Righe s = documento(dati_scheda, "scheda_treno.txt");
  ASSERT_EQ(s.size(), 59u);
  EXPECT_EQ(celle(s[13], colonne), (Righe{" Vel.", " Vel.", " Progr Km ", "  No ",
                                          "   Localita' di  Servizio   ", "     Orario     ",
                                          " Rec "}));
  EXPECT_EQ(celle(s[14], colonne), (Righe{" Lim.", "Marc.", ripeti(10, ' '), "  Rs ",
                                          ripeti(28, ' '), ripeti(16, ' '), ripeti(5, ' ')}));
  for (int i : {15, 56}) {
    const auto c = celle(s[i], colonne);
    ASSERT_EQ(c.size(), 7u) << "line " << i + 1;
    for (const auto& x : c) EXPECT_EQ(x, ripeti(x.size(), '_')) << "line " << i + 1;
  }
  for (int i = 53; i < 56; ++i) {
    const auto c = celle(s[i], colonne);
    ASSERT_EQ(c.size(), 7u) << "line " << i + 1;
    for (const auto& x : c) EXPECT_TRUE(vuota(x)) << "line " << i + 1;
  }
  EXPECT_EQ(righe_orario(s).size(), 37u);
}

TEST(TrainSheetDocument, RowsRunInKilometreOrderWithTheGivenSpeeds) {
  const auto righe = righe_orario(documento(dati_scheda, "scheda_treno.txt"));
  ASSERT_EQ(righe.size(), 37u);
  EXPECT_EQ(righe.front().km, "   0+000  ");
  EXPECT_EQ(righe.back().km, "  99+986  ");
  const std::map<int, int> limite = {{0, 95},     {1200, 140},  {12250, 100}, {16150, 115},
                                     {27550, 95}, {28750, 105}, {40500, 80},  {67300, 75},
                                     {92450, 60}, {94050, 75}};
  const std::map<int, int> marcia = {{0, 85},     {1200, 90},  {27550, 85}, {28750, 90},
                                     {40119, 70}, {67300, 65}, {91672, 55}};
  std::map<char, int> generi;
  std::map<std::string, int> segni;
  int recuperi = 0, prima = -1;
  for (const auto& r : righe) {
    const int km = metri(r.km);
    EXPECT_GT(km, prima) << r.km;
    prima = km;
    const auto l = limite.find(km), v = marcia.find(km);
    EXPECT_EQ(vuota(r.lim) ? 0 : numero(r.lim), l == limite.end() ? 0 : l->second) << r.km;
    EXPECT_EQ(vuota(r.marc) ? 0 : numero(r.marc), v == marcia.end() ? 0 : v->second) << r.km;
    ++generi[r.genere];
    recuperi += !vuota(r.recupero);
    if (r.genere == 'v') {
      EXPECT_FALSE(vuota(r.lim) && vuota(r.marc)) << "speed change without a speed at " << r.km;
      std::smatch m;
      const std::string luogo = nome_luogo(r);
      ASSERT_TRUE(std::regex_match(
          luogo, m, std::regex(R"((cippo Km|dev\.u\.|imb\.gall\.|sc\.ester\.) (.+))")))
          << luogo;
      ++segni[m[1]];
      if (m[1] == "cippo Km") {
        EXPECT_EQ(m[2].str(), pulita(r.km)) << luogo;
      } else if (m[1] == "imb.gall.") {
        EXPECT_TRUE(galleria_del_percorso(m[2])) << luogo << " names no tunnel of the route";
      } else {
        EXPECT_NE(stazione(stazioni_treno(), m[2]), nullptr) << luogo << " names no station";
      }
    }
    if (nome_luogo(r) == "culmine") {
      EXPECT_TRUE(km == 86750 && r.genere == 'p') << r.km;
    }
  }
  EXPECT_EQ(righe.front().genere, 'o');
  EXPECT_EQ(righe.front().partenza, "09.14");
  EXPECT_EQ(righe.back().genere, 't');
  EXPECT_EQ(righe.back().arrivo, "11.20");
  EXPECT_TRUE(combacia(nome_luogo(righe.back()), ".+ \\(SIMULATA\\)"));
  EXPECT_EQ(generi, (std::map<char, int>{{'o', 1}, {'p', 20}, {'s', 6}, {'t', 1}, {'v', 9}}));
  EXPECT_EQ(segni, (std::map<std::string, int>{
                       {"cippo Km", 5}, {"dev.u.", 2}, {"imb.gall.", 1}, {"sc.ester.", 1}}));
  EXPECT_EQ(recuperi, 6);
}

TEST(TrainSheetDocument, PlacesAndTimesAgreeWithTheTrainText) {
  const auto righe = righe_orario(documento(dati_scheda, "scheda_treno.txt"));
  const auto stazioni = stazioni_treno();
  ASSERT_EQ(stazioni.size(), 27u);
  std::vector<const RigaOrario*> luoghi;
  for (const auto& r : righe)
    if (r.genere != 'v' && nome_luogo(r) != "culmine") luoghi.push_back(&r);
  ASSERT_EQ(luoghi.size(), stazioni.size());
  auto orario = [](const Stazione& s) {
    char t[8];
    std::snprintf(t, sizeof t, "%02d.%02d", s.ore, s.minuti);
    return std::string(t);
  };
  for (std::size_t k = 0; k < stazioni.size(); ++k) {
    const auto& r = *luoghi[k];
    const auto& st = stazioni[k];
    std::string nome = nome_luogo(r);
    if (k + 1 == stazioni.size() && nome.size() > 11) nome.erase(nome.size() - 11);
    EXPECT_EQ(nome, st.nome) << "station " << k + 1;
    EXPECT_LE(std::abs(metri(r.km) - st.posizione), 600) << st.nome << " at " << r.km;
    const bool orario_treno = st.ore != 0 || st.minuti != 0;
    if (k == 0) {
      // The sheet gives the booked departure; the train text starts the clock later.
      EXPECT_EQ(st.ore * 60 + st.minuti, 9 * 60 + 19);
    } else if (k + 1 == stazioni.size()) {
      EXPECT_EQ(r.arrivo, orario(st));
    } else {
      EXPECT_EQ(r.genere, orario_treno ? 's' : 'p') << st.nome;
      if (orario_treno) {
        EXPECT_EQ(r.partenza, orario(st)) << st.nome;
      }
    }
  }
  // Times never run backwards: a pass-through lies between its neighbouring stops.
  int prima = 0;
  for (const auto& r : righe)
    for (const auto* t : {&r.arrivo, &r.passaggio, &r.partenza})
      if (!t->empty()) {
        const int minuti = std::atoi(t->c_str()) * 60 + std::atoi(t->c_str() + 3);
        EXPECT_GE(minuti, prima) << *t;
        prima = minuti;
      }
}

// ---------------------------------------------------------------- slow-down order

constexpr std::initializer_list<std::size_t> colonne_ordine = {3, 28, 12, 10, 9, 12};

TEST(SlowdownOrderDocument, FormKeepsItsLayoutAndLegend) {
  const Righe o = documento(dati_rallentamenti, "rallentamenti.txt");
  ASSERT_EQ(o.size(), 47u);
  for (int i : {0, 5, 6, 40}) EXPECT_EQ(o[i], "") << "line " << i + 1;
  EXPECT_EQ(o[1], ripeti(31, ' ') + "Modulo M. 3");
  EXPECT_EQ(o[2], ripeti(27, ' ') + "ORDINE DI RALLENTAMENTO");
  EXPECT_EQ(o[3], " " + ripeti(80, '_'));
  EXPECT_EQ(o[4], "  Linea  ROVELDA-MARNE ");
  EXPECT_TRUE(combacia(o[7], "  Si ordina al macchinista del treno D [1-9]+ di effettuare i "
                             "seguenti rallentamenti"));
  EXPECT_EQ(o[8], "  " + ripeti(79, '_'));
  EXPECT_EQ(celle(o[9], colonne_ordine), (Righe{"   ", ripeti(28, ' '), "Inizio dopo ",
                                                ripeti(10, ' '), ripeti(9, ' '), ripeti(12, ' ')}));
  EXPECT_EQ(celle(o[10], colonne_ordine), (Righe{" N.", "      FRA LE STAZIONI       ",
                                                 " il cippo   ", " Velocita'", "Lunghezza",
                                                 "Prescrizioni"}));
  EXPECT_EQ(celle(o[11], colonne_ordine), (Righe{"   ", "   (o nelle Stazioni di)    ",
                                                 "chilometrico", ripeti(10, ' '), "   metri ",
                                                 " specifiche "}));
  for (int i : {12, 39}) {
    const auto c = celle(o[i], colonne_ordine);
    ASSERT_EQ(c.size(), 6u) << "line " << i + 1;
    for (const auto& x : c) EXPECT_EQ(x, ripeti(x.size(), '_')) << "line " << i + 1;
  }
  for (int i = 18; i < 39; ++i) {
    const auto c = celle(o[i], colonne_ordine);
    ASSERT_EQ(c.size(), 6u) << "line " << i + 1;
    for (const auto& x : c) EXPECT_TRUE(vuota(x)) << "line " << i + 1;
  }
  EXPECT_EQ(o[41], ripeti(14, ' ') + "Prescrizioni specifiche");
  EXPECT_EQ(o[42], " A - Da rispettare con tutto il treno (per i treni viaggiatori)");
  EXPECT_EQ(o[43].substr(0, 36), " B - Interessa anche la stazione di ");
  EXPECT_EQ(o[44], " D - Avviso come da disposizioni varie localita' di servizio");
  EXPECT_EQ(o[45], " C - Da rispettare dalle ore ....  alle ore ..... di tutti");
  EXPECT_EQ(o[46], "     i giorni esclusi i seguenti:.........");
  for (std::size_t i = 0; i < o.size(); ++i)
    EXPECT_EQ(o[i].find('0'), std::string::npos) << "digit zero in line " << i + 1;
  // The sheet's header and the order name the same train.
  const Righe s = documento(dati_scheda, "scheda_treno.txt");
  ASSERT_EQ(s.size(), 59u);
  EXPECT_EQ(s[4].substr(15, 3), o[7].substr(39, o[7].find(' ', 39) - 39));
}

TEST(SlowdownOrderDocument, RowsRestateTheTrainTextSlowDowns) {
  const Righe o = documento(dati_rallentamenti, "rallentamenti.txt");
  ASSERT_EQ(o.size(), 47u);
  const auto treno = rallentamenti_treno();
  const auto stazioni = stazioni_treno();
  ASSERT_EQ(treno.size(), 5u);
  const std::string citata = o[43].substr(36);
  const Stazione* interessata = stazione(stazioni, citata);
  ASSERT_NE(interessata, nullptr) << "line 44 names no station: " << citata;
  int con_b = 0;
  for (int k = 0; k < 5; ++k) {
    const auto c = celle(o[13 + k], colonne_ordine);
    ASSERT_EQ(c.size(), 6u) << "line " << 14 + k;
    EXPECT_EQ(c[0], "O" + std::to_string(k + 1) + " ");
    EXPECT_TRUE(combacia(c[2], R"(  \d\d?\+[\dO]{3} *)")) << c[2];
    EXPECT_TRUE(combacia(c[3], R"(   [1-9][\dO]* *)")) << c[3];
    EXPECT_TRUE(combacia(c[4], R"( *[1-9][\dO]*   )") && c[4][5] != ' ') << c[4];
    const auto& r = treno[k];
    EXPECT_EQ(metri(pulita(c[2])), r.posizione);
    EXPECT_EQ(numero(c[3].substr(3)), r.velocita);
    EXPECT_EQ(numero(c[4]), r.lunghezza);
    // The section: two stations of the train text, in running order, around the start.
    const std::string tratta = senza_coda(c[1]);
    const Stazione *da = nullptr, *a = nullptr;
    for (const auto& x : stazioni)
      for (const auto& y : stazioni)
        if (tratta == x.nome + "-" + y.nome) da = &x, a = &y;
    ASSERT_TRUE(da && a) << "section '" << tratta << "' does not join two stations";
    EXPECT_TRUE(da->posizione <= r.posizione && r.posizione <= a->posizione) << tratta;
    // Prescriptions: legend letters joined by "-", centred with the odd blank after.
    const std::string p = c[5].substr(c[5].find_first_not_of(' '));
    const std::string lettere = senza_coda(p);
    EXPECT_TRUE(combacia(lettere, "[ABCD](-[ABCD])*")) << c[5];
    EXPECT_EQ(c[5].size() - p.size(), (12 - lettere.size()) / 2) << c[5];
    if (lettere.find('B') != std::string::npos) {
      ++con_b;
      EXPECT_TRUE(da == interessata || a == interessata) << tratta;
      EXPECT_TRUE(r.posizione <= interessata->posizione &&
                  interessata->posizione <= r.posizione + r.lunghezza)
          << citata << " lies outside slow-down " << k + 1;
    }
  }
  EXPECT_EQ(con_b, 1);
}

// ---------------------------------------------------------------- notes

TEST(NotesDocument, LinesKeepTheirShapes) {
  const Righe n = documento(dati_note, "note.txt");
  ASSERT_EQ(n.size(), 80u);
  EXPECT_TRUE(combacia(n[0], ripeti(25, ' ') + "CENNI STORICI DELLA FERROVIA [A-Z][-A-Z' ]*"));
  auto rientro = [&](int riga, std::size_t blank) {
    const auto& s = n[riga - 1];
    EXPECT_TRUE(s.size() > blank && s.find_first_not_of(' ') == blank)
        << "line " << riga << " does not start at column " << blank + 1;
  };
  for (int riga = 2; riga <= 65; ++riga)
    if (riga != 24 && riga != 32 && riga != 35 && riga != 46 && riga != 47) rientro(riga, 2);
  rientro(35, 54);
  rientro(47, 9);
  for (int riga : {33, 34}) {
    const auto& s = n[riga - 1];
    EXPECT_TRUE(s.size() > 52 && s[51] == ' ' && s[52] != ' ' && s.find("  ", 2) < 51)
        << "credit line " << riga << " has no contribution at column 53";
  }
  EXPECT_FALSE(vuota(n[65]));
  for (int riga : {24, 32}) EXPECT_EQ(n[riga - 1], "") << "line " << riga;
  for (int riga = 67; riga <= 79; ++riga) EXPECT_EQ(n[riga - 1], "") << "line " << riga;
  EXPECT_EQ(n[45], "   ");
  EXPECT_EQ(n[79], ripeti(241, ' '));
  for (int riga = 1; riga <= 79; ++riga) {
    const auto& s = n[riga - 1];
    EXPECT_LE(s.size(), 106u) << "line " << riga;
    EXPECT_EQ(s.find('0'), std::string::npos) << "digit zero in line " << riga;
    if (riga < 65) {
      EXPECT_FALSE(combacia(s, ".*[a-z].*")) << "small letters in line " << riga;
    }
  }
}

TEST(NotesDocument, StateTheOldLinesLimitsAsTheRouteHasThem) {
  std::string testo;
  for (const auto& s : documento(dati_note, "note.txt")) testo += s + " ";
  EXPECT_NE(testo.find("RAGGIO MINIMO DI 25O METRI"), std::string::npos);
  std::smatch m;
  ASSERT_TRUE(std::regex_search(testo, m, std::regex("(\\d+) PER MILLE")));
  int ripida = 0;
  for (const auto& r : route_table())
    if (r.rfind("pendenza,", 0) == 0)
      ripida = std::max(ripida, std::abs(std::atoi(r.c_str() + r.rfind(',') + 1)));
  EXPECT_EQ(std::atoi(m[1].str().c_str()), ripida);
}

}  // namespace
}  // namespace tracciato
