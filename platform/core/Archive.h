// The document archive: one reader/writer for the two forms of the document file.
//
// Binary form: little-endian words, double words and IEEE-754 doubles; counted strings (a
// length byte, or 0xFF with a 16-bit or 32-bit length); counts (16-bit, or 0xFFFF and 32-bit);
// object tags with one index counter shared by classes and objects, starting at 1.
// Text form: lines written raw and formatted in the manner of printf, read whole (any length)
// and scanned in the manner of sscanf, always in the "C" locale whatever the program's locale.
//
// A storing archive writes into memory; the caller puts the bytes into a file. A loading
// archive reads from bytes it owns. Reading never trusts the file: every read checks the bytes
// left and throws ArchiveException (never reads past the end, never allocates from a count
// that the remaining bytes cannot hold).
#pragma once

#include <cstdarg>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace velmor {

class ArchiveException : public std::runtime_error
{
public:
    enum Cause {
        EndOfFile,   // the file ends inside a record
        BadClass,    // unknown class name, or a class index that was never defined
        BadSchema,   // a class schema other than the one this program writes
        BadIndex,    // an object back-reference or a null reference where an object must be
        BadFormat,   // content that is not a document of this program
    };
    ArchiveException(Cause cause, const std::string& what)
        : std::runtime_error(what), m_cause(cause)
    {
    }
    Cause cause() const { return m_cause; }

private:
    Cause m_cause;
};

class ElementContainer;

class Archive
{
public:
    static constexpr uint16_t kSchema = 1;

    // A storing archive, empty; `text` selects the text form for the records written to it.
    static Archive ForStoring(bool text);
    // A loading archive over a copy of `bytes`.
    static Archive ForLoading(std::string bytes, bool text);

    bool IsStoring() const { return m_storing; }
    bool IsLoading() const { return !m_storing; }
    bool IsText() const { return m_text; }

    // The structure the records of this archive belong to, as the document's archive knows its
    // document: parent references resolve in it, and the records read what they need of it
    // (its problem type). Null for records read or written on their own. Not owned.
    ElementContainer* Container() const { return m_container; }
    void SetContainer(ElementContainer* container) { m_container = container; }

    // Bytes written so far (storing).
    const std::string& Bytes() const { return m_bytes; }
    // Bytes not yet read (loading).
    size_t BytesLeft() const { return m_bytes.size() - m_pos; }
    bool AtEnd() const { return m_pos >= m_bytes.size(); }
    // Throws EndOfFile unless at least `count` bytes are left.
    void Require(size_t count) const;

    // ---- binary values
    void WriteByte(uint8_t value);
    void WriteWord(uint16_t value);
    void WriteDWord(uint32_t value);
    void WriteDouble(double value);
    uint8_t ReadByte();
    uint16_t ReadWord();
    uint32_t ReadDWord();
    double ReadDouble();

    // A 32-bit signed integer kept in a 16-bit word: written as its low 16 bits, read back
    // zero-extended.
    void WriteShortInt(int32_t value) { WriteWord(static_cast<uint16_t>(value & 0xFFFF)); }
    int32_t ReadShortInt() { return ReadWord(); }

    // Counted string (bytes as they are, no terminator).
    void WriteString(std::string_view text);
    std::string ReadString();

    // Element count of a list.
    void WriteCount(uint32_t count);
    uint32_t ReadCount();

    // Object tag before an object's record. Storing: the first object of a class writes the new
    // class (0xFFFF, schema, name length, name) and the class takes the next index; later
    // objects of the class write 0x8000 | index (or 0x7FFF and 0x80000000 | index). Every object
    // then takes the next index. Loading: returns the class name, which must be one of `known`
    // with schema 1; throws on back-references, null tags and undefined class indices.
    void WriteObjectTag(std::string_view className);
    std::string ReadObjectTag(std::span<const std::string_view> known);

    // ---- text lines
    // Writes the bytes as they are (no line feed added).
    void WriteText(std::string_view text);
    // Writes printf-formatted text in the "C" locale.
    void WriteFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Reads one whole line, whatever its length, without its line feed (a carriage return before
    // the line feed is dropped too). Returns false at the end of the bytes.
    bool ReadLine(std::string& line);
    // Reads one line; at the end of the bytes throws EndOfFile.
    std::string ReadLineOrThrow();

    // sscanf in the "C" locale; returns the number of fields assigned (EOF as sscanf does).
    // %s conversions must carry a width.
    static int ScanLine(const std::string& line, const char* format, ...)
        __attribute__((format(scanf, 2, 3)));
    // The whole line as the format says, every field assigned and nothing left over but
    // blanks: "(0,0, 4,0, 0,0)" is not three coordinates.
    template <class... T> static bool ScanExact(const std::string& line, const char* format, T*... fields)
    {
        void* const targets[] = {static_cast<void*>(fields)...};
        if (QuickScanExact(line, format, targets, int(sizeof...(T))))
            return true;
        int consumed = -1;
        // The format with " %n" after it, in a buffer kept from line to line.
        thread_local std::string whole;
        whole.assign(format).append(" %n");
        const int n = ScanLine(line, whole.c_str(), fields..., &consumed);
        return n == int(sizeof...(T)) && consumed >= 0 && size_t(consumed) == line.size();
    }
    // ScanExact without sscanf for the plain cases of a file (%d of up to nine digits, %lf of
    // a decimal number, %Ns, literal characters and blanks): true, with the fields assigned,
    // only where sscanf would assign the same values and read the whole line; false, and
    // nothing assigned, whenever it is not sure (ScanExact then asks sscanf).
    static bool QuickScanExact(const std::string& line, const char* format, void* const* fields,
                               int count);
    // Where the reading is: the number of the line last read (text), the offset of the next
    // byte (binary).
    size_t LineNumber() const { return m_line; }
    size_t Offset() const { return m_pos; }
    // Refuses the line last read: throws BadFormat with "ligne N: " and what is wrong.
    [[noreturn]] void BadLine(const std::string& what) const;
    // Refuses a value of the binary form: throws BadFormat with "octet N: " and what is wrong.
    [[noreturn]] void BadValue(const std::string& what) const;
    // printf in the "C" locale into a string.
    static std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
    // A real number of the text form: "%lf" (six decimals) wherever that reads back within
    // kDecimalTolerance of the value, so that files keep their look; otherwise "%.17g", which
    // reads back exactly (1e-9 would be lost as 0.000000). Both read with "%lf".
    static std::string FormatReal(double value);
    static constexpr double kDecimalTolerance = 2e-6;
    // "(a, b, ...) \n" of the values in that form.
    static std::string FormatTuple(std::initializer_list<double> values);

private:
    Archive(bool storing, bool text, std::string bytes);
    const char* Take(size_t count);

    bool m_storing;
    bool m_text;
    std::string m_bytes;
    size_t m_pos = 0;
    size_t m_line = 0;
    ElementContainer* m_container = nullptr;
    // Archive indices: storing maps class names to their index; loading maps index to class.
    uint32_t m_nextIndex = 1;
    std::vector<std::pair<std::string, uint32_t>> m_storedClasses;
    std::vector<std::pair<uint32_t, std::string>> m_loadedClasses;
};

} // namespace velmor
