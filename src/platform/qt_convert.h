#pragma once

#include "text/gb_text.h"
#include "view/control.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QString>

#include <filesystem>

namespace penlark {

QString toQString(const GbText& text);
GbText fromQString(const QString& text);
QString pathToQString(const std::filesystem::path& path);
std::filesystem::path pathFromQString(const QString& path);

// 0xBBGGRR, as the program stores colours.
QColor toQColor(Color colour);
Color fromQColor(const QColor& colour);
QString cssColour(Color colour);

// The face asked for, falling back to an installed CJK font where it is missing.
QFont toQFont(const FontSpec& font);

QIcon iconOf(Picture picture);
QPixmap pixmapOf(Picture picture, QSize size);

} // namespace penlark
