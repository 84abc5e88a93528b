#pragma once

#include <QList>
#include <QString>

// The built-in English texts, numbered in blocks of 1000 per area of the interface.

// The text of id; "" for an id the table does not hold.
QString LoadResString(int id);

// Every id the table holds, ascending.
QList<int> BuiltinTextIds();
