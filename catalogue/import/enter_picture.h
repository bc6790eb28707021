#pragma once
// `EnterPicture`: "Enter Picture..." lets the user edit the picture of an import field, nested on
// the calling thread. The edited picture, or a blank text when cancelled or closed.

#include <QString>

QString EnterPicture(const QString& picture);
