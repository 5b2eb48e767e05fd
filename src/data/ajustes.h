#pragma once
// The settings record nums.ini: loading, creating it with defaults and repairing what is unusable.
#include "data/registros.h"

// The program's web host, written into new and unusable settings.
inline constexpr char DIRECCION_WEB[] = "www.bolvanta.es";
// The host and path the program used before; settings still holding it get the new host.
inline constexpr char DIRECCION_WEB_ANTIGUA[] = "usuarios.lycos.es/bolvanta";

// The highest price of a bet the settings store; a larger figure is a slip of the keyboard.
inline constexpr float PRECIO_MAXIMO = 1000;

// Opens nums.ini as file 5 (creating it when missing), reads record 1, repairs it and writes it
// back whenever something was repaired. A file that is not one whole record keeps every field it
// holds whole, gives the others their defaults and is replaced by the whole record. Errors are
// ignored step by step, as start-up expects.
Configuracion cargaConfiguracion(const QString& ruta);

// A price the settings dialog would never have stored takes the default: 0 or a figure that is no
// number counts as unset (price 1.0 and 24 months, as for new settings), a negative price or one
// above PRECIO_MAXIMO becomes 1.0. True when something was repaired.
bool reparaPrecio(Configuracion& c);

// Record 1 of nums.ini (file 5) with its price repaired as start-up repairs it; every field zero
// when it cannot be read.
Configuracion configuracionGuardada();
