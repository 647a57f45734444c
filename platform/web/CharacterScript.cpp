#include "platform/web/CharacterScript.h"

namespace web {

namespace {

// Screen coordinates stay far inside this.
constexpr long CoordinateLimit = 1000000;

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

bool IsNameChar(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') || c == L'_';
}

// A cursor over the arguments of one call.
class TArguments {
public:
    explicit TArguments(const WideString& text) : FText(text) {}

    void SkipBlanks() {
        while (FPos < FText.size() && IsBlank(FText[FPos])) ++FPos;
    }
    bool AtEnd() {
        SkipBlanks();
        return FPos == FText.size();
    }
    bool Comma() {
        SkipBlanks();
        if (FPos < FText.size() && FText[FPos] == L',') {
            ++FPos;
            return true;
        }
        return false;
    }
    bool Integer(int& value) {
        SkipBlanks();
        bool negative = false;
        if (FPos < FText.size() && (FText[FPos] == L'-' || FText[FPos] == L'+')) negative = FText[FPos++] == L'-';
        long v = 0;
        std::size_t digits = 0;
        while (FPos < FText.size() && FText[FPos] >= L'0' && FText[FPos] <= L'9') {
            v = v * 10 + (FText[FPos++] - L'0');
            if (v > CoordinateLimit) return false;
            ++digits;
        }
        value = int(negative ? -v : v);
        return digits > 0;
    }
    bool Quoted(WideString& value) {
        SkipBlanks();
        if (FPos >= FText.size() || FText[FPos] != L'"') return false;
        std::size_t close = FText.find(L'"', FPos + 1);
        if (close == WideString::npos) return false;
        value = FText.substr(FPos + 1, close - FPos - 1);
        FPos = close + 1;
        return true;
    }

private:
    const WideString& FText;
    std::size_t FPos = 0;
};

// One line's call, or an empty text with the request filled.
std::string ParseLine(const WideString& line, TCharacterRequest& request) {
    std::size_t pos = 0;
    while (pos < line.size() && IsNameChar(line[pos])) ++pos;
    if (pos == 0 || pos >= line.size() || line[pos] != L'.') return "not a call of the form Name.Call";
    std::size_t start = ++pos;
    while (pos < line.size() && IsNameChar(line[pos])) ++pos;
    const WideString call = line.substr(start, pos - start);
    if (pos < line.size() && !IsBlank(line[pos])) return "the call's name must be followed by a blank";
    const WideString rest = line.substr(pos);
    TArguments args(rest);
    if (call == L"Show" || call == L"Hide") {
        request.call = call == L"Show" ? TCharacterCall::Show : TCharacterCall::Hide;
        return args.AtEnd() ? "" : "takes no arguments";
    }
    if (call == L"MoveTo") {
        request.call = TCharacterCall::MoveTo;
        if (!args.Integer(request.x) || !args.Comma() || !args.Integer(request.y) || !args.AtEnd())
            return "needs two whole numbers, x and y, separated by a comma";
        return "";
    }
    if (call == L"Play") {
        request.call = TCharacterCall::Play;
        if (!args.Quoted(request.text) || request.text.empty() || !args.AtEnd())
            return "needs the animation's name in quotes";
        return "";
    }
    if (call == L"Speak") {
        request.call = TCharacterCall::Speak;
        if (!args.Quoted(request.text)) return "needs the words in quotes";
        if (args.Comma() && !args.Quoted(request.sound)) return "needs the sound file in quotes after the comma";
        if (!args.AtEnd()) return "has more than the words and a sound file";
        return "";
    }
    return "unknown call";
}

}  // namespace

bool ParseCharacterLines(const WideString& block, std::vector<TCharacterRequest>& requests, std::string& error) {
    requests.clear();
    error.clear();
    std::size_t start = 0;
    int number = 0;
    while (start <= block.size()) {
        std::size_t end = block.find(L'\n', start);
        if (end == WideString::npos) end = block.size();
        WideString line = block.substr(start, end - start);
        start = end + 1;
        ++number;
        std::size_t first = 0, last = line.size();
        while (first < last && IsBlank(line[first])) ++first;
        while (last > first && IsBlank(line[last - 1])) --last;
        if (first == last) continue;
        line = line.substr(first, last - first);
        TCharacterRequest request;
        std::string fault = ParseLine(line, request);
        if (!fault.empty()) {
            requests.clear();
            error = "line " + std::to_string(number) + ": " + fault;
            return false;
        }
        requests.push_back(request);
    }
    return true;
}

}  // namespace web
