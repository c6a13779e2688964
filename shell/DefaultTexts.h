#pragma once
// Built-in English texts, one fill routine per range of slots. Each writes only the slots its
// windows use; the table holds " " everywhere else beforehand.
#include <QStringList>

void Load_Default_Texts_1(QStringList &texts); // slots 0-1599 and the channel table's second block from 1700
void Load_Default_Texts_2(QStringList &texts); // slots 1600-3699
void Load_Default_Texts_3(QStringList &texts); // slots 3700-3899
