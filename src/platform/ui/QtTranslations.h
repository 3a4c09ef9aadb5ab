#pragma once

class QCoreApplication;

// Qt's own texts — the standard buttons, the font, colour, file and print dialogs — in
// Japanese, as the program's own texts are, whatever the desktop's locale. Installs the
// translator on the application and returns false when Qt's Japanese catalogue is missing.
bool installQtTranslations(QCoreApplication& application);
