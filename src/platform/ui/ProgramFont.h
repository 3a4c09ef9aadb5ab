#pragma once
#include <QFont>

// The font the program's windows are drawn in: IPA Gothic at 10 points. The program sets it
// on the application at start-up; the twips of its windows are measured for it.
QFont programFont();
