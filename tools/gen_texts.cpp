// Build-time generator: turns the list of built-in texts (src/app/services/texts/english.txt)
// into a C++ source holding the whole table, so that a text change is a one-line
// diff in the data file and the program needs no file at run time.
//
// Usage: gen_texts <input.txt> <output.cpp> <table size>
//
// Input lines: `<index>: "<text>"`; the text is everything between the first and
// the last double quote. Empty lines and lines starting with '#' are skipped.
// Any other line, an index outside the table or a repeated index fails the build.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

int fail(const std::string& file, int line, const std::string& why)
{
    std::cerr << file << ":" << line << ": error: " << why << "\n";
    return 1;
}

// Every byte that is not plain printable ASCII becomes a three-digit octal escape,
// so quotes, backslashes and UTF-8 sequences survive the compiler unchanged.
std::string cLiteral(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\' && c != '?') {
            out += char(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\%03o", unsigned(c));
            out += buf;
        }
    }
    out += "\"";
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: gen_texts <input.txt> <output.cpp> <table size>\n";
        return 2;
    }
    const std::string inPath = argv[1];
    const std::string outPath = argv[2];
    const long size = std::strtol(argv[3], nullptr, 10);
    if (size <= 0 || size > 100000)
        return fail(inPath, 0, "bad table size");

    std::ifstream in(inPath, std::ios::binary);
    if (!in)
        return fail(inPath, 0, "cannot open");

    std::vector<std::string> texts(static_cast<size_t>(size));
    std::vector<bool> seen(static_cast<size_t>(size), false);
    std::string line;
    int lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        size_t pos = 0;
        while (pos < line.size() && line[pos] >= '0' && line[pos] <= '9')
            ++pos;
        if (pos == 0 || pos > 6)
            return fail(inPath, lineNo, "line must start with an index");
        const long index = std::strtol(line.substr(0, pos).c_str(), nullptr, 10);
        if (line.compare(pos, 3, ": \"") != 0)
            return fail(inPath, lineNo, "expected ': \"' after the index");
        const size_t open = pos + 2;
        const size_t close = line.rfind('"');
        if (close == open || close != line.size() - 1)
            return fail(inPath, lineNo, "text must end with a double quote at the end of the line");
        if (index >= size)
            return fail(inPath, lineNo, "index outside the table");
        if (seen[size_t(index)])
            return fail(inPath, lineNo, "index listed twice");
        seen[size_t(index)] = true;
        texts[size_t(index)] = line.substr(open + 1, close - open - 1);
    }

    std::ostringstream out;
    out << "// Generated from " << inPath << " by gen_texts. Do not edit.\n"
        << "#include \"app/services/texts/EnglishTexts.h\"\n\n"
        << "static_assert(English_Texts_Count == " << size << ");\n\n"
        << "const char* const English_Texts[English_Texts_Count] = {\n";
    for (long i = 0; i < size; ++i)
        out << "    " << (seen[size_t(i)] ? cLiteral(texts[size_t(i)]) : std::string("\" \"")) << ", // "
            << i << "\n";
    out << "};\n";

    std::ofstream file(outPath, std::ios::binary | std::ios::trunc);
    file << out.str();
    if (!file)
        return fail(outPath, 0, "cannot write");
    return 0;
}
