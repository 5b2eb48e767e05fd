// mkmdb <schema.sql> <output.mdb>: makes the report database shipped beside the program, keyed with
// the program's password. A failed run leaves no output behind, so the build never ships a
// half-made database.
#define SQLITE_HAS_CODEC 1
#include <sqlite3.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

// Must match plataforma::CLAVE_BD; this tool stays free of Qt and of the program's libraries.
constexpr char CLAVE[] = "quorvatensimblarkeqo";

bool falla(sqlite3* bd, const char* paso) {
  std::cerr << "mkmdb: " << paso << ": " << (bd ? sqlite3_errmsg(bd) : "sin memoria") << '\n';
  return false;
}

bool crea(const std::string& esquema, const std::string& salida) {
  sqlite3* bd = nullptr;
  bool bien = sqlite3_open_v2(salida.c_str(), &bd, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                              nullptr) == SQLITE_OK;
  if (!bien) falla(bd, "no se puede crear la base de datos");
  if (bien && sqlite3_key(bd, CLAVE, static_cast<int>(std::strlen(CLAVE))) != SQLITE_OK)
    bien = falla(bd, "no se puede aplicar la clave");
  // One transaction: either the whole schema with its rows is written or nothing.
  if (bien && sqlite3_exec(bd, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK)
    bien = falla(bd, "BEGIN");
  if (bien && sqlite3_exec(bd, esquema.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
    bien = falla(bd, "error en el esquema");
    sqlite3_exec(bd, "ROLLBACK", nullptr, nullptr, nullptr);
  }
  if (bien && sqlite3_exec(bd, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
    bien = falla(bd, "COMMIT");
  if (sqlite3_close(bd) != SQLITE_OK) bien = falla(bd, "no se puede cerrar la base de datos");
  return bien;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "uso: mkmdb <esquema.sql> <salida.mdb>\n";
    return 2;
  }
  std::ifstream entrada(argv[1], std::ios::binary);
  std::stringstream esquema;
  esquema << entrada.rdbuf();
  if (!entrada || esquema.str().empty()) {
    std::cerr << "mkmdb: no se puede leer " << argv[1] << '\n';
    return 1;
  }
  const std::filesystem::path salida(argv[2]);
  std::error_code ec;
  std::filesystem::remove(salida, ec);
  if (ec) {
    std::cerr << "mkmdb: no se puede borrar " << argv[2] << ": " << ec.message() << '\n';
    return 1;
  }
  if (!crea(esquema.str(), salida.string())) {
    std::filesystem::remove(salida, ec);
    return 1;
  }
  return 0;
}
