#pragma once

#include <string>
#include <vector>

namespace tracciato {

class Platform;
struct Scenario;

// The five writers of the run. Each writes its embedded table into `cartella`, under a
// name formed from the scenario's `nome_linea` and `nome_treno`, replacing any file of
// that name.
void dati_linea(Platform& platform, const std::string& cartella, const Scenario& s);
void dati_treno(Platform& platform, const std::string& cartella, const Scenario& s);
void dati_note(Platform& platform, const std::string& cartella, const Scenario& s);
void dati_rallentamenti(Platform& platform, const std::string& cartella, const Scenario& s);
void dati_scheda(Platform& platform, const std::string& cartella, const Scenario& s);

// The names of the five files, in the order the writers write them.
std::vector<std::string> text_names(const Scenario& s);

// The starter scenario's route and train texts, named `<route>_linea.txt` and
// `<route>_<train>-.txt`, written into `cartella`.
void write_starter(Platform& platform, const std::string& cartella, const Scenario& s);

// All five, in the order of the run: route source, train source, notes, slow-down
// order, train sheet.
void write_texts(Platform& platform, const std::string& cartella, const Scenario& s);

}  // namespace tracciato
