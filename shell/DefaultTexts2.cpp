#include "shell/DefaultTexts.h"

void Load_Default_Texts_2(QStringList &) {}
