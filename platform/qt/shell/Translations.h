// The toolkit's own French translations, so that its standard dialogs and buttons (file
// dialog, print dialog, colour names, "Annuler") speak the program's language.
#pragma once

class QCoreApplication;

namespace velmor {

// Loads the toolkit's French translations into the application and makes French the default
// locale; false when the translation files are not installed (the dialogs then stay in the
// toolkit's English).
bool InstallFrenchTranslations(QCoreApplication& app);

} // namespace velmor
