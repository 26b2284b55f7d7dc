#include "io/fpga_files.h"

#include "fixed/fixed_word.h"
#include "io/file_formats.h"
#include "support/format_number.h"

#include <algorithm>
#include <cctype>
#include <charconv>

const char* const kMsgFpgaNoWords = "The file holds no coefficient words.";
const char* const kMsgFpgaBadRadix = "Radix \"%1\" is not one the reader knows.";
const char* const kMsgFpgaBadWord = "\"%1\" is not a word of the file's radix and width.";
const char* const kMsgFpgaBadHeader = "\"%1\" is not a statement of this file format.";
const char* const kMsgFpgaBadAddress = "Address \"%1\" is beyond the file's depth.";
const char* const kMsgFpgaOneColumn =
    "A %1 file holds one column of words: write the quadrature part to a file of its own.";

namespace {

constexpr int kMaxMifDepth = 1 << 20;

std::string Upper(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

std::string Trim(const std::string& s) {
    const size_t first = s.find_first_not_of(" \t\r\n\f\v");
    if (first == std::string::npos)
        return {};
    return s.substr(first, s.find_last_not_of(" \t\r\n\f\v") - first + 1);
}

// The text split at `separator`, each piece trimmed; empty pieces are dropped.
std::vector<std::string> Split(const std::string& text, const std::string& separators) {
    std::vector<std::string> pieces;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find_first_of(separators, start), text.size());
        std::string piece = Trim(text.substr(start, end - start));
        if (!piece.empty())
            pieces.push_back(piece);
        start = end + 1;
    }
    return pieces;
}

// The base of a radix word: 10 for signed decimal, -10 for unsigned decimal, 16, 8 or 2; 0 for
// a word the readers do not know.
int BaseOfRadix(const std::string& radix) {
    const std::string r = Upper(radix);
    if (r == "10" || r == "DEC")
        return 10;
    if (r == "UNS")
        return -10;
    if (r == "16" || r == "HEX")
        return 16;
    if (r == "8" || r == "OCT")
        return 8;
    if (r == "2" || r == "BIN")
        return 2;
    return 0;
}

// A word of the base read as a two's complement word of `bits` bits: a signed decimal word
// must fit the word, an unsigned one its 2^bits codes.
bool ParseWord(const std::string& text, int base, int bits, int64_t& word) {
    const bool negative = !text.empty() && text[0] == '-';
    if (negative && base != 10)
        return false;
    const char* first = text.data() + (negative ? 1 : 0);
    const char* last = text.data() + text.size();
    uint64_t magnitude = 0;
    const auto [end, ec] = std::from_chars(first, last, magnitude, base < 0 ? -base : base);
    if (ec != std::errc() || end != last || first == last)
        return false;
    const Int128 wide = negative ? -static_cast<Int128>(magnitude) : static_cast<Int128>(magnitude);
    if (base == 10 && (wide < SignedMin(bits) || wide > SignedMax(bits)) &&
        (negative || wide >= (Int128{1} << bits)))
        return false;
    if (base != 10 && wide >= (Int128{1} << bits))
        return false;
    word = static_cast<int64_t>(WrapToWidth(wide, bits));
    return true;
}

// The text without the comments of the format: lines starting with ';' (COE), "--" to the end
// of the line and %...% blocks (MIF).
std::string WithoutComments(int code, const std::string& text) {
    std::string out;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(pos, end - pos);
        if (code == kFormatCoe && Trim(line).rfind(';', 0) == 0)
            line.clear();
        if (code == kFormatMif)
            line = line.substr(0, line.find("--"));
        out += line + "\n";
        pos = end + 1;
    }
    if (code == kFormatMif) {
        for (size_t open = out.find('%'); open != std::string::npos; open = out.find('%')) {
            const size_t close = out.find('%', open + 1);
            out.erase(open, close == std::string::npos ? std::string::npos : close - open + 1);
        }
    }
    return out;
}

bool ParseCoe(const std::string& text, int bits, std::vector<int64_t>& words, std::string& error) {
    int base = 10;
    for (const std::string& statement : Split(WithoutComments(kFormatCoe, text), ";")) {
        const size_t eq = statement.find('=');
        if (eq == std::string::npos) {
            error = FormatMessage(kMsgFpgaBadHeader, {statement});
            return false;
        }
        const std::string key = Upper(Trim(statement.substr(0, eq)));
        const std::string value = Trim(statement.substr(eq + 1));
        if (key == "RADIX" || key == "MEMORY_INITIALIZATION_RADIX") {
            base = BaseOfRadix(value);
            if (base <= 0) {
                error = FormatMessage(kMsgFpgaBadRadix, {value});
                return false;
            }
        } else if (key == "COEFDATA" || key == "MEMORY_INITIALIZATION_VECTOR") {
            for (const std::string& w : Split(value, ", \t\r\n")) {
                int64_t word = 0;
                if (!ParseWord(w, base, bits, word)) {
                    error = FormatMessage(kMsgFpgaBadWord, {w});
                    return false;
                }
                words.push_back(word);
            }
        }
    }
    return true;
}

struct SMifHeader {
    int width = 0;
    int depth = 0;
    int addressBase = 16;
    int dataBase = 16;
};

bool ParseMifHeaderStatement(const std::string& statement, SMifHeader& header) {
    const size_t eq = statement.find('=');
    if (eq == std::string::npos)
        return false;
    const std::string key = Upper(Trim(statement.substr(0, eq)));
    const std::string value = Trim(statement.substr(eq + 1));
    int number = 0;
    const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), number);
    const bool isNumber = ec == std::errc() && end == value.data() + value.size();
    if (key == "WIDTH" && isNumber && number >= 1 && number <= 64)
        header.width = number;
    else if (key == "DEPTH" && isNumber && number >= 1 && number <= kMaxMifDepth)
        header.depth = number;
    else if (key == "ADDRESS_RADIX" && BaseOfRadix(value) != 0)
        header.addressBase = BaseOfRadix(value);
    else if (key == "DATA_RADIX" && BaseOfRadix(value) != 0)
        header.dataBase = BaseOfRadix(value);
    else
        return false;
    return true;
}

// One content entry: "address : words" or "[first..last] : words".
bool ParseMifEntry(const std::string& entry, const SMifHeader& header, std::vector<int64_t>& words,
                   std::string& error) {
    const size_t colon = entry.find(':');
    if (colon == std::string::npos) {
        error = FormatMessage(kMsgFpgaBadHeader, {entry});
        return false;
    }
    std::string address = Trim(entry.substr(0, colon));
    std::string lastAddress;
    if (address.size() > 2 && address.front() == '[' && address.back() == ']') {
        const size_t dots = address.find("..");
        if (dots == std::string::npos) {
            error = FormatMessage(kMsgFpgaBadAddress, {address});
            return false;
        }
        lastAddress = Trim(address.substr(dots + 2, address.size() - dots - 3));
        address = Trim(address.substr(1, dots - 1));
    }
    int64_t first = 0;
    int64_t last = 0;
    const int addressBase = header.addressBase == 10 ? -10 : header.addressBase;
    if (!ParseWord(address, addressBase, 40, first) ||
        (!lastAddress.empty() && !ParseWord(lastAddress, addressBase, 40, last)) || first < 0 ||
        first >= header.depth || (!lastAddress.empty() && (last < first || last >= header.depth))) {
        error = FormatMessage(kMsgFpgaBadAddress, {address});
        return false;
    }
    const std::vector<std::string> values = Split(entry.substr(colon + 1), " \t\r\n");
    std::vector<int64_t> parsed;
    for (const std::string& v : values) {
        int64_t word = 0;
        if (!ParseWord(v, header.dataBase, header.width, word)) {
            error = FormatMessage(kMsgFpgaBadWord, {v});
            return false;
        }
        parsed.push_back(word);
    }
    if (parsed.empty()) {
        error = FormatMessage(kMsgFpgaBadWord, {entry});
        return false;
    }
    // A range repeats its words; a single address takes its words at consecutive addresses.
    const int64_t end =
        lastAddress.empty() ? first + static_cast<int64_t>(parsed.size()) - 1 : last;
    if (end >= header.depth) {
        error = FormatMessage(kMsgFpgaBadAddress, {address});
        return false;
    }
    for (int64_t a = first; a <= end; ++a)
        words[static_cast<size_t>(a)] = parsed[static_cast<size_t>(a - first) % parsed.size()];
    return true;
}

bool ParseMif(const std::string& text, int& bits, std::vector<int64_t>& words, std::string& error) {
    SMifHeader header;
    bool inContent = false;
    for (std::string statement : Split(WithoutComments(kFormatMif, text), ";")) {
        if (!inContent) {
            const std::string upper = Upper(statement);
            if (upper.rfind("CONTENT", 0) == 0) {
                const size_t begin = upper.find("BEGIN");
                if (begin == std::string::npos || header.width == 0 || header.depth == 0) {
                    error = FormatMessage(kMsgFpgaBadHeader, {statement});
                    return false;
                }
                inContent = true;
                words.assign(static_cast<size_t>(header.depth), 0);
                statement = Trim(statement.substr(begin + 5));
                if (statement.empty())
                    continue;
            } else if (!ParseMifHeaderStatement(statement, header)) {
                error = FormatMessage(kMsgFpgaBadHeader, {statement});
                return false;
            } else {
                continue;
            }
        }
        if (Upper(statement) == "END")
            break;
        if (!ParseMifEntry(statement, header, words, error))
            return false;
    }
    bits = header.width;
    return true;
}

} // namespace

std::string FpgaFileHeader(int code, int bits, int n) {
    if (code == kFormatCoe)
        return "radix=10;\r\ncoefdata=\r\n";
    return StrPrintf("WIDTH=%d;\r\nDEPTH=%d;\r\n\r\nADDRESS_RADIX=UNS;\r\nDATA_RADIX=DEC;\r\n\r\n"
                     "CONTENT BEGIN\r\n",
                     bits, n);
}

std::string FpgaFileWord(int code, int bits, int index, int count, int64_t word) {
    const Int128 held = WrapToWidth(word, bits);
    if (code == kFormatCoe)
        return DecimalText(held).append(index + 1 < count ? ",\r\n" : ";\r\n");
    // The memory holds the word's bits: its two's complement code, unsigned.
    const Int128 code2 = held < 0 ? held + (Int128{1} << bits) : held;
    std::string line = "\t";
    line.append(std::to_string(index)).append(" : ").append(DecimalText(code2)).append(";\r\n");
    return line;
}

std::string FpgaFileFooter(int code) {
    return code == kFormatMif ? "END;\r\n" : "";
}

bool ParseFpgaFile(int code, const std::string& text, int& bits, std::vector<int64_t>& words,
                   std::string& error) {
    words.clear();
    const bool ok = code == kFormatCoe ? ParseCoe(text, bits, words, error)
                                       : ParseMif(text, bits, words, error);
    if (ok && words.empty()) {
        error = kMsgFpgaNoWords;
        return false;
    }
    if (!ok)
        words.clear();
    return ok;
}
