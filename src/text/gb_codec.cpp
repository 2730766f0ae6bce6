#include "text/gb_codec.h"

#include "text/gb_text.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ustring.h>

#include <memory>
#include <stdexcept>
#include <unordered_map>

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
    // A lone surrogate is no character: it becomes the replacement character, not a control byte.
    static const UChar replacement[] = {0xFFFD};
    if (reason != UCNV_UNASSIGNED) {
        codeUnits = replacement;
        length = 1;
    }
    char bytes[16];
    UErrorCode inner = U_ZERO_ERROR;
    ucnv_resetFromUnicode(gb18030());
    const int32_t written = ucnv_fromUChars(gb18030(), bytes, sizeof bytes, codeUnits, length, &inner);
    *status = U_ZERO_ERROR;
    if (U_FAILURE(inner) || written <= 0) {
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

bool isPrivateUse(char16_t c) { return c >= 0xE000 && c <= 0xF8FF; }

// Two-byte codes that code page 936 reads as private-use characters where GB18030 has a real
// character that code page 936 cannot write (䶮 at FE9F, ḿ at A8BC, the radicals and
// extension-A ideographs of FE50..FEA0). The encoder writes such a character as those two
// bytes, its GB18030 form, so they must read back as the character; every other code reads
// exactly as code page 936.
using Replacements = std::unordered_map<char16_t, char16_t>;

std::u16string decodeRow(UConverter* converter, const std::string& row)
{
    std::u16string out(row.size(), u'\0');
    UErrorCode status = U_ZERO_ERROR;
    ucnv_resetToUnicode(converter);
    const int32_t written = ucnv_toUChars(converter, reinterpret_cast<UChar*>(out.data()),
                                          static_cast<int32_t>(out.size()), row.data(),
                                          static_cast<int32_t>(row.size()), &status);
    out.resize(U_FAILURE(status) ? 0 : static_cast<std::size_t>(written));
    return out;
}

Replacements findReplacements()
{
    Replacements found;
    Converter cp936 = openConverter("windows-936");
    Converter strict = openConverter("windows-936");
    Converter gb = openConverter("gb18030");
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setFromUCallBack(strict.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);

    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        std::string row;
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            row += static_cast<char>(lead);
            row += static_cast<char>(trail);
        }
        // Every two-byte code is one BMP character in both tables; a row that is not is skipped.
        const std::u16string asCp936 = decodeRow(cp936.get(), row);
        const std::u16string asGb18030 = decodeRow(gb.get(), row);
        if (asCp936.size() != row.size() / 2 || asGb18030.size() != asCp936.size()) continue;
        for (std::size_t i = 0; i < asCp936.size(); ++i) {
            const UChar real = asGb18030[i];
            if (!isPrivateUse(asCp936[i]) || isPrivateUse(real) || real == 0xFFFD) continue;
            char bytes[8];
            UErrorCode error = U_ZERO_ERROR;
            ucnv_resetFromUnicode(strict.get());
            ucnv_fromUChars(strict.get(), bytes, sizeof bytes, &real, 1, &error);
            if (U_SUCCESS(error)) continue;  // code page 936 writes it elsewhere (the euro sign)
            error = U_ZERO_ERROR;
            ucnv_resetFromUnicode(gb.get());
            const int32_t length = ucnv_fromUChars(gb.get(), bytes, sizeof bytes, &real, 1, &error);
            if (U_FAILURE(error) || length != 2 || std::string_view(bytes, 2) != std::string_view(row).substr(i * 2, 2))
                continue;
            found.emplace(asCp936[i], real);
        }
    }
    return found;
}

void appendDecodedCp936(std::string_view bytes, std::u16string& out)
{
    static const Replacements replacements = findReplacements();
    const std::size_t start = out.size();
    appendDecoded(cp936Decoder(), bytes, out);
    for (std::size_t i = start; i < out.size(); ++i) {
        if (!isPrivateUse(out[i])) continue;
        if (const auto found = replacements.find(out[i]); found != replacements.end()) out[i] = found->second;
    }
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
    // Runs of one- and two-byte characters go through the code page, each GB18030 four-byte
    // sequence through the GB18030 table. Characters are stepped over as everywhere else, so a
    // four-byte form right after a single-byte euro sign is still found.
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t runStart = 0;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t length = charLengthAt(bytes, i);
        if (length == 4) {
            appendDecodedCp936(bytes.substr(runStart, i - runStart), out);
            appendDecoded(gb18030(), bytes.substr(i, 4), out);
            runStart = i + 4;
        }
        i += length;
    }
    appendDecodedCp936(bytes.substr(runStart), out);
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
