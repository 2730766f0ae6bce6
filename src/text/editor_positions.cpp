#include "text/editor_positions.h"

namespace penlark {

namespace {

// Widget units and bytes of the character (or CR LF pair) at byte `i`.
struct Step {
    int units;
    std::size_t bytes;
};

Step stepAt(std::string_view bytes, std::size_t i)
{
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') return {1, 2};
    const std::size_t length = charLengthAt(bytes, i);
    if (length == 4 && static_cast<unsigned char>(bytes[i]) >= 0x90) return {2, 4};
    return {1, length};
}

} // namespace

int widgetPositionOfByte(const GbText& text, int bytePosition)
{
    const std::string_view bytes = text.bytes();
    int units = 0;
    std::size_t i = 0;
    while (i < bytes.size() && static_cast<int>(i) < bytePosition) {
        const Step step = stepAt(bytes, i);
        if (static_cast<int>(i + step.bytes) > bytePosition) break;
        units += step.units;
        i += step.bytes;
    }
    return units;
}

int bytePositionOfWidget(const GbText& text, int widgetPosition)
{
    const std::string_view bytes = text.bytes();
    int units = 0;
    std::size_t i = 0;
    while (i < bytes.size() && units < widgetPosition) {
        const Step step = stepAt(bytes, i);
        if (units + step.units > widgetPosition) break;
        units += step.units;
        i += step.bytes;
    }
    return static_cast<int>(i);
}

std::u16string widgetTextOf(const GbText& text)
{
    std::u16string utf16 = text.toUtf16();
    std::u16string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        if (utf16[i] == u'\r') {
            out += u'\n';
            if (i + 1 < utf16.size() && utf16[i + 1] == u'\n') ++i;
            continue;
        }
        out += utf16[i];
    }
    return out;
}

GbText textOfWidget(std::u16string_view widgetText)
{
    std::u16string withCrLf;
    withCrLf.reserve(widgetText.size() + widgetText.size() / 32);
    for (std::size_t i = 0; i < widgetText.size(); ++i) {
        const char16_t c = widgetText[i];
        if (c == u'\r' || c == u'\n' || c == u'\u2029') {
            withCrLf += u"\r\n";
            if (c == u'\r' && i + 1 < widgetText.size() && widgetText[i + 1] == u'\n') ++i;
            continue;
        }
        withCrLf += c;
    }
    return GbText::fromUtf16(withCrLf);
}

} // namespace penlark
