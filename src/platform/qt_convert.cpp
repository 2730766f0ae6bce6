#include "platform/qt_convert.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

namespace penlark {

QString toQString(const GbText& text)
{
    const std::u16string utf16 = text.toUtf16();
    return QString::fromUtf16(utf16.data(), static_cast<qsizetype>(utf16.size()));
}

GbText fromQString(const QString& text)
{
    return GbText::fromUtf16(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                                 static_cast<std::size_t>(text.size())));
}

QString pathToQString(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

std::filesystem::path pathFromQString(const QString& path) { return std::filesystem::path(path.toStdString()); }

QColor toQColor(Color colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

Color fromQColor(const QColor& colour) { return colour.red() | (colour.green() << 8) | (colour.blue() << 16); }

QString cssColour(Color colour) { return toQColor(colour).name(); }

QFont toQFont(const FontSpec& font)
{
    QFont result;
    QStringList families;
    if (font.face.starts_with("微软雅黑")) {
        families = {QStringLiteral("微软雅黑"), QStringLiteral("Microsoft YaHei")};
    } else if (!font.face.empty()) {
        families = {QString::fromStdString(font.face)};
        if (font.face == "SimSun") families << QStringLiteral("宋体");
    }
    families << QStringLiteral("WenQuanYi Micro Hei") << QStringLiteral("Noto Sans CJK SC")
             << QStringLiteral("Droid Sans Fallback");
    result.setFamilies(families);
    result.setPointSizeF(font.points > 0 ? font.points : 9);
    if (font.light) result.setWeight(QFont::Light);
    return result;
}

namespace {
QString resourceOf(Picture picture)
{
    switch (picture) {
    case Picture::Microphone: return QStringLiteral(":/icons/microphone.svg");
    case Picture::MicrophoneRecording: return QStringLiteral(":/icons/microphone_recording.svg");
    case Picture::Tools: return QStringLiteral(":/icons/tools.svg");
    case Picture::Wrench: return QStringLiteral(":/icons/wrench.svg");
    case Picture::ProgramIcon: return QStringLiteral(":/icons/penlark.svg");
    case Picture::Padlock: return QStringLiteral(":/icons/padlock.svg");
    case Picture::Folder: return QStringLiteral(":/icons/folder.svg");
    case Picture::None: break;
    }
    return {};
}
} // namespace

QPixmap pixmapOf(Picture picture, QSize size)
{
    const QString resource = resourceOf(picture);
    if (resource.isEmpty() || size.isEmpty()) return {};
    QSvgRenderer renderer(resource);
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    return pixmap;
}

QIcon iconOf(Picture picture)
{
    QIcon icon;
    for (int side : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(pixmapOf(picture, QSize(side, side)));
    return icon;
}

} // namespace penlark
