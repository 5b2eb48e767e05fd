#pragma once
// Qt's own texts (context menus of text boxes, standard buttons, system dialogs) in Spanish,
// whatever the system's language.

namespace plataforma {

// Installs Qt's Spanish translations in the running application; false when they are not found.
bool cargaTraducciones();

}  // namespace plataforma
