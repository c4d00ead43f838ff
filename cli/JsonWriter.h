// JSON text for the command-line tool's output, written to a stream as it is made: numbers
// in the shortest form that reads back as the same double (null for a value that is not
// finite), keys and strings.
#pragma once

#include "numeric/MatBase.h"
#include "platform/core/Archive.h"

#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <cmath>
#include <cstdio>
#include <string>

namespace velmor {

// JSON text written to a stream as it is made, a megabyte at a time; or, without a stream,
// kept in memory: a piece of a list made apart, to be put in the list with Append.
class Json
{
public:
    explicit Json(std::FILE* out) : m_file(out) { m_out.reserve(kChunk + 4096); }
    Json() : m_file(nullptr) {}
    ~Json() { Flush(); }
    Json(const Json&) = delete;
    Json& operator=(const Json&) = delete;
    void Flush()
    {
        if (!m_file)
            return;
        std::fwrite(m_out.data(), 1, m_out.size(), m_file);
        m_out.clear();
    }
    // A piece kept in memory: its text, and a fresh start for the next one, which follows
    // other members of the list already (a comma before its first value).
    const std::string& Text() const { return m_out; }
    void StartPiece()
    {
        m_out.clear();
        m_first = false;
        m_afterKey = false;
    }
    // The members of a piece, after those of the open list written so far.
    void Append(const Json& piece)
    {
        if (piece.m_out.empty())
            return;
        // A piece begins with the comma that follows a member; the list's first has none.
        const char* text = piece.m_out.data();
        size_t length = piece.m_out.size();
        if (m_first && text[0] == ',') {
            ++text;
            --length;
        }
        m_out.append(text, length);
        m_first = false;
        m_afterKey = false;
        if (m_out.size() >= kChunk)
            Flush();
    }
    void Number(double v)
    {
        Separate();
        if (!std::isfinite(v)) {
            m_out += "null";
            return;
        }
        // Zeros are a good part of a structure's results.
        if (v == 0.0) {
            m_out += std::signbit(v) ? "-0" : "0";
            return;
        }
        // A beam's record repeats many of its numbers (end forces in the laws and the extreme
        // values): the last few texts are kept by the value's bits.
        const std::uint64_t bits = std::bit_cast<std::uint64_t>(v);
        CachedNumber& cached = m_cache[size_t(((bits ^ (bits >> 31)) * 0x9E3779B97F4A7C15ull) >> 59)];
        if (cached.length > 0 && cached.bits == bits) {
            m_out.append(cached.text, cached.length);
            return;
        }
        // Exact and locale-free; a third quicker than 17 significant digits.
        char text[32];
        const auto [end, error] = std::to_chars(text, text + sizeof text, v);
        if (error == std::errc()) {
            m_out.append(text, end);
            const size_t length = size_t(end - text);
            if (length <= sizeof cached.text) {
                cached.bits = bits;
                cached.length = std::uint8_t(length);
                std::memcpy(cached.text, text, length);
            }
        } else {
            m_out += Archive::Format("%.17g", v);
        }
    }
    void Integer(long v)
    {
        Separate();
        m_out += std::to_string(v);
    }
    void Null()
    {
        Separate();
        m_out += "null";
    }
    void Bool(bool v)
    {
        Separate();
        m_out += v ? "true" : "false";
    }
    void String(const std::string& s)
    {
        Separate();
        m_out += '"';
        for (unsigned char ch : s) {
            if (ch == '"' || ch == '\\') {
                m_out += '\\';
                m_out += char(ch);
            } else if (ch == '\n') {
                m_out += "\\n";
            } else if (ch < 0x20) {
                m_out += Archive::Format("\\u%04x", ch);
            } else {
                m_out += char(ch);
            }
        }
        m_out += '"';
    }
    // A key is a plain ASCII word: nothing in it needs escaping.
    void Key(const char* key)
    {
        Separate();
        m_out += '"';
        m_out += key;
        m_out += "\":";
        m_afterKey = true;
    }
    void Open(char bracket)
    {
        Separate();
        m_out += bracket;
        m_first = true;
    }
    void Close(char bracket)
    {
        m_out += bracket;
        m_first = false;
        if (m_out.size() >= kChunk)
            Flush();
    }
    void Numbers(const Vector& v, long from, long count)
    {
        Open('[');
        for (long i = 0; i < count; ++i)
            Number(v.At(from + i));
        Close(']');
    }

private:
    void Separate()
    {
        if (m_afterKey)
            m_afterKey = false;
        else if (!m_first)
            m_out += ',';
        m_first = false;
    }
    static constexpr size_t kChunk = size_t(1) << 20;
    struct CachedNumber
    {
        std::uint64_t bits = 0;
        std::uint8_t length = 0; // 0: empty
        char text[27];
    };
    std::array<CachedNumber, 32> m_cache{};
    std::FILE* m_file;
    std::string m_out;
    bool m_first = true;
    bool m_afterKey = false;
};

} // namespace velmor
