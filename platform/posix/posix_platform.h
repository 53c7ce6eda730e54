#pragma once

#include "platform/platform.h"

namespace tracciato {

// The platform on Linux and other POSIX systems: the waiting window and the message
// box are lines on standard error, paths are joined with "/".
class PosixPlatform : public Platform {
 public:
  void mostra_attesa() override;
  std::string cartella_applicazione() override;
  std::string unisci(const std::string& dir, const std::string& name) const override;
  bool esiste(const std::string& path) override;
  void elimina(const std::string& path) override;
  std::string leggi(const std::string& path) override;
  void scrivi(const std::string& path, std::string_view bytes) override;
  void scrivi_a_pezzi(const std::string& path, const Pezzo& pezzo) override;
  void messaggio(const std::string& text) override;
  void segnala_guasto(const std::string& what) override;
  [[noreturn]] void termina(int status) override;

 private:
  // Writes a temporary file beside `path` with `riempi`, which returns 0 or the errno
  // of the write that failed, and renames it over `path`.
  void sostituisci(const std::string& path, const std::function<int(int fd)>& riempi);
};

}  // namespace tracciato
