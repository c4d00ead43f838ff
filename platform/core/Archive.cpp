#include "Archive.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <locale.h>

namespace velmor {
namespace {

constexpr uint16_t kNewClassTag = 0xFFFF;
constexpr uint16_t kClassTag = 0x8000;
constexpr uint16_t kBigObjectTag = 0x7FFF;
constexpr uint32_t kBigClassTag = 0x80000000u;
// Class names this program writes are short; anything longer is not one of ours.
constexpr uint16_t kMaxClassName = 64;

// Switches the calling thread to the "C" locale for the lifetime of the guard, so that numbers
// are written and read with a decimal point whatever the user's locale.
class CLocaleScope
{
public:
    CLocaleScope() : m_old(uselocale(cLocale())) {}
    ~CLocaleScope() { uselocale(m_old); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    static locale_t cLocale()
    {
        static locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
        return c;
    }
    locale_t m_old;
};

std::string vformat(const char* format, va_list args)
{
    CLocaleScope scope;
    va_list copy;
    va_copy(copy, args);
    char small[256];
    int n = std::vsnprintf(small, sizeof small, format, copy);
    va_end(copy);
    if (n < 0)
        return {};
    if (static_cast<size_t>(n) < sizeof small)
        return std::string(small, static_cast<size_t>(n));
    std::string out(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), format, args);
    out.resize(static_cast<size_t>(n));
    return out;
}

} // namespace

Archive::Archive(bool storing, bool text, std::string bytes)
    : m_storing(storing), m_text(text), m_bytes(std::move(bytes))
{
}

Archive Archive::ForStoring(bool text)
{
    return Archive(true, text, {});
}

Archive Archive::ForLoading(std::string bytes, bool text)
{
    return Archive(false, text, std::move(bytes));
}

void Archive::Require(size_t count) const
{
    if (BytesLeft() < count)
        throw ArchiveException(ArchiveException::EndOfFile, "unexpected end of file");
}

const char* Archive::Take(size_t count)
{
    Require(count);
    const char* p = m_bytes.data() + m_pos;
    m_pos += count;
    return p;
}

void Archive::WriteByte(uint8_t value)
{
    m_bytes.push_back(static_cast<char>(value));
}

void Archive::WriteWord(uint16_t value)
{
    WriteByte(static_cast<uint8_t>(value & 0xFF));
    WriteByte(static_cast<uint8_t>(value >> 8));
}

void Archive::WriteDWord(uint32_t value)
{
    WriteWord(static_cast<uint16_t>(value & 0xFFFF));
    WriteWord(static_cast<uint16_t>(value >> 16));
}

void Archive::WriteDouble(double value)
{
    uint64_t bits = std::bit_cast<uint64_t>(value);
    WriteDWord(static_cast<uint32_t>(bits & 0xFFFFFFFFu));
    WriteDWord(static_cast<uint32_t>(bits >> 32));
}

uint8_t Archive::ReadByte()
{
    return static_cast<uint8_t>(*Take(1));
}

uint16_t Archive::ReadWord()
{
    const auto* p = reinterpret_cast<const unsigned char*>(Take(2));
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t Archive::ReadDWord()
{
    uint32_t low = ReadWord();
    uint32_t high = ReadWord();
    return low | (high << 16);
}

double Archive::ReadDouble()
{
    Require(8);
    uint64_t low = ReadDWord();
    uint64_t high = ReadDWord();
    return std::bit_cast<double>(low | (high << 32));
}

void Archive::WriteString(std::string_view text)
{
    size_t n = text.size();
    if (n < 255) {
        WriteByte(static_cast<uint8_t>(n));
    } else {
        WriteByte(0xFF);
        if (n < 0xFFFE) {
            WriteWord(static_cast<uint16_t>(n));
        } else {
            WriteWord(0xFFFF);
            WriteDWord(static_cast<uint32_t>(n));
        }
    }
    m_bytes.append(text);
}

std::string Archive::ReadString()
{
    uint32_t n = ReadByte();
    if (n == 0xFF) {
        n = ReadWord();
        if (n == 0xFFFF)
            n = ReadDWord();
    }
    const char* p = Take(n);
    return std::string(p, n);
}

void Archive::WriteCount(uint32_t count)
{
    if (count < 0xFFFF) {
        WriteWord(static_cast<uint16_t>(count));
    } else {
        WriteWord(0xFFFF);
        WriteDWord(count);
    }
}

uint32_t Archive::ReadCount()
{
    uint32_t n = ReadWord();
    if (n == 0xFFFF)
        n = ReadDWord();
    return n;
}

void Archive::WriteObjectTag(std::string_view className)
{
    for (const auto& [name, index] : m_storedClasses) {
        if (name == className) {
            if (index < kBigObjectTag) {
                WriteWord(static_cast<uint16_t>(kClassTag | index));
            } else {
                WriteWord(kBigObjectTag);
                WriteDWord(kBigClassTag | index);
            }
            ++m_nextIndex;
            return;
        }
    }
    WriteWord(kNewClassTag);
    WriteWord(kSchema);
    WriteWord(static_cast<uint16_t>(className.size()));
    m_bytes.append(className);
    m_storedClasses.emplace_back(std::string(className), m_nextIndex++);
    ++m_nextIndex;
}

std::string Archive::ReadObjectTag(std::span<const std::string_view> known)
{
    uint16_t tag = ReadWord();
    if (tag == kNewClassTag) {
        uint16_t schema = ReadWord();
        uint16_t length = ReadWord();
        if (length == 0 || length > kMaxClassName)
            throw ArchiveException(ArchiveException::BadClass, "bad class name");
        std::string name(Take(length), length);
        bool isKnown = false;
        for (std::string_view k : known)
            isKnown = isKnown || k == name;
        if (!isKnown)
            throw ArchiveException(ArchiveException::BadClass, "unknown class " + name);
        if (schema != kSchema)
            throw ArchiveException(ArchiveException::BadSchema, "bad schema for " + name);
        m_loadedClasses.emplace_back(m_nextIndex++, name);
        ++m_nextIndex;
        return name;
    }
    uint32_t objectTag;
    if (tag == kBigObjectTag)
        objectTag = ReadDWord();
    else
        objectTag = (static_cast<uint32_t>(tag & kClassTag) << 16) | (tag & ~kClassTag & 0xFFFF);
    if (!(objectTag & kBigClassTag))
        throw ArchiveException(ArchiveException::BadIndex, "object reference where an object must be");
    uint32_t index = objectTag & ~kBigClassTag;
    for (const auto& [i, name] : m_loadedClasses) {
        if (i == index) {
            ++m_nextIndex;
            return name;
        }
    }
    throw ArchiveException(ArchiveException::BadClass, "undefined class index");
}

void Archive::WriteText(std::string_view text)
{
    m_bytes.append(text);
}

void Archive::WriteFormat(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    m_bytes.append(vformat(format, args));
    va_end(args);
}

bool Archive::ReadLine(std::string& line)
{
    if (AtEnd())
        return false;
    size_t end = m_bytes.find('\n', m_pos);
    size_t next = end == std::string::npos ? m_bytes.size() : end + 1;
    if (end == std::string::npos)
        end = m_bytes.size();
    size_t length = end - m_pos;
    if (length > 0 && m_bytes[end - 1] == '\r')
        --length;
    line.assign(m_bytes, m_pos, length);
    m_pos = next;
    ++m_line;
    return true;
}

void Archive::BadLine(const std::string& what) const
{
    throw ArchiveException(ArchiveException::BadFormat, Format("ligne %zu: ", m_line) + what);
}

void Archive::BadValue(const std::string& what) const
{
    throw ArchiveException(ArchiveException::BadFormat, Format("octet %zu: ", m_pos) + what);
}

std::string Archive::ReadLineOrThrow()
{
    std::string line;
    if (!ReadLine(line))
        throw ArchiveException(ArchiveException::EndOfFile, "unexpected end of file");
    return line;
}

int Archive::ScanLine(const std::string& line, const char* format, ...)
{
    CLocaleScope scope;
    va_list args;
    va_start(args, format);
    int n = std::vsscanf(line.c_str(), format, args);
    va_end(args);
    return n;
}

namespace {

bool blank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool digit(char c)
{
    return c >= '0' && c <= '9';
}

// Moves p past a run of digits; false when there is none.
bool skipDigits(const char*& p, const char* end)
{
    const char* start = p;
    while (p < end && digit(*p))
        ++p;
    return p != start;
}

// A character that could carry on a number for sscanf (an exponent, hexadecimal digits, "inf").
bool numberLike(char c)
{
    return digit(c) || c == '.' || c == '_' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

} // namespace

bool Archive::QuickScanExact(const std::string& line, const char* format, void* const* fields,
                             int count)
{
    constexpr int kFields = 8;
    struct Value
    {
        char kind = 0; // 'd', 'f' or 's'
        int i = 0;
        double d = 0.0;
        const char* s = nullptr;
        size_t length = 0;
    } values[kFields];
    if (count < 0 || count > kFields)
        return false;
    // sscanf stops at a NUL: such a line is left to it.
    const char* p = line.c_str();
    const char* end = p + std::strlen(p);
    if (size_t(end - p) != line.size())
        return false;
    int field = 0;
    for (const char* f = format; *f;) {
        if (blank(*f)) {
            while (blank(*f))
                ++f;
            while (p < end && blank(*p))
                ++p;
            continue;
        }
        if (*f != '%') {
            if (p == end || *p != *f)
                return false;
            ++p;
            ++f;
            continue;
        }
        ++f;
        int width = 0;
        while (digit(*f) && width < 1000)
            width = width * 10 + (*f++ - '0');
        if (field == count)
            return false;
        Value& v = values[field++];
        while (p < end && blank(*p))
            ++p;
        if (*f == 'd' && width == 0) {
            const char* start = p;
            if (p < end && *p == '-')
                ++p;
            const char* digits = p;
            while (p < end && digit(*p) && p - digits <= 9)
                ++p;
            if (p == digits || p - digits > 9 || (p < end && numberLike(*p)))
                return false;
            const auto [stop, error] = std::from_chars(start, p, v.i);
            if (error != std::errc() || stop != p)
                return false;
            v.kind = 'd';
            ++f;
        } else if (f[0] == 'l' && f[1] == 'f' && width == 0) {
            // -?digits(.digits)?([eE][+-]?digits)? and nothing number-like after it.
            const char* start = p;
            if (p < end && *p == '-')
                ++p;
            if (!skipDigits(p, end))
                return false;
            if (p < end && *p == '.' && !skipDigits(++p, end))
                return false;
            if (p < end && (*p == 'e' || *p == 'E')) {
                ++p;
                if (p < end && (*p == '+' || *p == '-'))
                    ++p;
                if (!skipDigits(p, end))
                    return false;
            }
            if (p < end && numberLike(*p))
                return false;
            const auto [stop, error] = std::from_chars(start, p, v.d);
            if (error != std::errc() || stop != p)
                return false;
            v.kind = 'f';
            f += 2;
        } else if (*f == 's' && width > 0 && width < 1000) {
            const char* start = p;
            while (p < end && !blank(*p) && p - start < width)
                ++p;
            // An empty word, or one longer than the width (sscanf would cut it).
            if (p == start || (p < end && !blank(*p)))
                return false;
            v.kind = 's';
            v.s = start;
            v.length = size_t(p - start);
            ++f;
        } else {
            return false;
        }
    }
    while (p < end && blank(*p))
        ++p;
    if (field != count || p != end)
        return false;
    for (int k = 0; k < count; ++k) {
        const Value& v = values[k];
        if (v.kind == 'd') {
            *static_cast<int*>(fields[k]) = v.i;
        } else if (v.kind == 'f') {
            *static_cast<double*>(fields[k]) = v.d;
        } else {
            char* out = static_cast<char*>(fields[k]);
            std::memcpy(out, v.s, v.length);
            out[v.length] = '\0';
        }
    }
    return true;
}

std::string Archive::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string out = vformat(format, args);
    va_end(args);
    return out;
}

std::string Archive::FormatReal(double value)
{
    std::string fixed = Format("%lf", value);
    double back = 0.0;
    if (ScanLine(fixed, "%lf", &back) == 1 &&
        std::fabs(back - value) <= kDecimalTolerance * std::fabs(value))
        return fixed;
    return Format("%.17g", value);
}

std::string Archive::FormatTuple(std::initializer_list<double> values)
{
    std::string out = "(";
    for (const double* v = values.begin(); v != values.end(); ++v) {
        if (v != values.begin())
            out += ", ";
        out += FormatReal(*v);
    }
    return out + ") \n";
}

} // namespace velmor
