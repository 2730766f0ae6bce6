#include "text/gb_codec.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ustring.h>

#include <memory>
#include <stdexcept>

namespace penlark {
namespace {

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter openConverter(const char* name)
{
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open(name, &status));
    if (U_FAILURE(status)) throw std::runtime_error(std::string("ICU converter unavailable: ") + name);
    return converter;
}

UConverter* gb18030()
{
    thread_local Converter converter = openConverter("gb18030");
    return converter.get();
}

// Characters that code page 936 cannot hold take their GB18030 bytes instead of "?".
void writeGb18030Form(const void*, UConverterFromUnicodeArgs* args, const UChar* codeUnits, int32_t length,
                      UChar32, UConverterCallbackReason reason, UErrorCode* status)
{
    if (reason != UCNV_UNASSIGNED && reason != UCNV_ILLEGAL && reason != UCNV_IRREGULAR) return;
    char bytes[16];
    UErrorCode inner = U_ZERO_ERROR;
    ucnv_resetFromUnicode(gb18030());
    const int32_t written = ucnv_fromUChars(gb18030(), bytes, sizeof bytes, codeUnits, length, &inner);
    *status = U_ZERO_ERROR;
    if (U_FAILURE(inner) || written <= 0) {
        // A lone surrogate has no form anywhere; keep the text going with the substitute.
        ucnv_cbFromUWriteSub(args, 0, status);
        return;
    }
    ucnv_cbFromUWriteBytes(args, bytes, written, 0, status);
}

UConverter* cp936Encoder()
{
    thread_local Converter converter = [] {
        Converter opened = openConverter("windows-936");
        UErrorCode status = U_ZERO_ERROR;
        ucnv_setFromUCallBack(opened.get(), writeGb18030Form, nullptr, nullptr, nullptr, &status);
        return opened;
    }();
    return converter.get();
}

UConverter* cp936Decoder()
{
    thread_local Converter converter = openConverter("windows-936");
    return converter.get();
}

void appendDecoded(UConverter* converter, std::string_view bytes, std::u16string& out)
{
    if (bytes.empty()) return;
    ucnv_resetToUnicode(converter);
    const std::size_t start = out.size();
    out.resize(start + bytes.size() * 2 + 4);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t written = ucnv_toUChars(converter, reinterpret_cast<UChar*>(out.data() + start),
                                          static_cast<int32_t>(out.size() - start), bytes.data(),
                                          static_cast<int32_t>(bytes.size()), &status);
    out.resize(start + (U_FAILURE(status) ? 0 : static_cast<std::size_t>(written)));
}

bool isFourByteSequence(std::string_view bytes, std::size_t i)
{
    if (i + 3 >= bytes.size()) return false;
    const auto b0 = static_cast<unsigned char>(bytes[i]);
    const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
    const auto b2 = static_cast<unsigned char>(bytes[i + 2]);
    const auto b3 = static_cast<unsigned char>(bytes[i + 3]);
    return b0 >= 0x81 && b0 <= 0xFE && b1 >= 0x30 && b1 <= 0x39 && b2 >= 0x81 && b2 <= 0xFE && b3 >= 0x30 &&
           b3 <= 0x39;
}

} // namespace

std::string encodeGbFromUtf16(std::u16string_view utf16)
{
    if (utf16.empty()) return {};
    UConverter* converter = cp936Encoder();
    ucnv_resetFromUnicode(converter);
    std::string out(utf16.size() * 4 + 4, '\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t written =
        ucnv_fromUChars(converter, out.data(), static_cast<int32_t>(out.size()),
                        reinterpret_cast<const UChar*>(utf16.data()), static_cast<int32_t>(utf16.size()), &status);
    out.resize(U_FAILURE(status) ? 0 : static_cast<std::size_t>(written));
    return out;
}

std::string encodeGbFromUtf8(std::string_view utf8) { return encodeGbFromUtf16(utf16FromUtf8(utf8)); }

std::u16string decodeGbToUtf16(std::string_view bytes)
{
    // Runs of one- and two-byte characters go through the code page; each GB18030 four-byte
    // sequence through the GB18030 table.
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t runStart = 0;
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        if (isFourByteSequence(bytes, i)) {
            appendDecoded(cp936Decoder(), bytes.substr(runStart, i - runStart), out);
            appendDecoded(gb18030(), bytes.substr(i, 4), out);
            i += 4;
            runStart = i;
            continue;
        }
        i += 2;
    }
    appendDecoded(cp936Decoder(), bytes.substr(runStart, bytes.size() - runStart), out);
    return out;
}

std::string decodeGbToUtf8(std::string_view bytes) { return utf8FromUtf16(decodeGbToUtf16(bytes)); }

std::u16string utf16FromUtf8(std::string_view utf8)
{
    if (utf8.empty()) return {};
    std::u16string out(utf8.size() + 1, u'\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()), &length, utf8.data(),
                         static_cast<int32_t>(utf8.size()), 0xFFFD, nullptr, &status);
    out.resize(U_FAILURE(status) ? 0 : static_cast<std::size_t>(length));
    return out;
}

std::string utf8FromUtf16(std::u16string_view utf16)
{
    if (utf16.empty()) return {};
    std::string out(utf16.size() * 3 + 1, '\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length,
                       reinterpret_cast<const UChar*>(utf16.data()), static_cast<int32_t>(utf16.size()), 0xFFFD,
                       nullptr, &status);
    out.resize(U_FAILURE(status) ? 0 : static_cast<std::size_t>(length));
    return out;
}

} // namespace penlark
