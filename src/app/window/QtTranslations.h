#pragma once

class QCoreApplication;

// Qt's own texts (file and print dialogs, standard buttons, context menus) in
// the user's UI languages, from Qt's translations (Debian package
// qt6-translations-l10n). The program's own texts are German and untranslated.
void installQtTranslations(QCoreApplication& application);
