#include "platform/web/CharacterScript.h"
#include <gtest/gtest.h>

namespace {

using web::TCharacterCall;
using web::TCharacterRequest;

TEST(CharacterScript, ReadsEveryCallOfABlockInOrder) {
    const WideString block = L"\r\n  Zarek.Show\r\n"
                             L"Zarek.MoveTo 600, 400\r\n"
                             L"Zarek.MoveTo -12,7\n"
                             L"\tZarek.Play \"Wave\"  \r\n"
                             L"\r\n"
                             L"Zarek.Speak \"Hello, learner!\", \"hello E.wav\"\r\n"
                             L"Zarek.Speak \"\u0645\u0631\u062d\u0628\u0627\"\r\n"
                             L"Zarek.Hide";
    std::vector<TCharacterRequest> requests;
    std::string error;
    ASSERT_TRUE(web::ParseCharacterLines(block, requests, error)) << error;
    const std::vector<TCharacterRequest> expected{
        {TCharacterCall::Show},
        {TCharacterCall::MoveTo, 600, 400},
        {TCharacterCall::MoveTo, -12, 7},
        {TCharacterCall::Play, 0, 0, L"Wave"},
        {TCharacterCall::Speak, 0, 0, L"Hello, learner!", L"hello E.wav"},
        {TCharacterCall::Speak, 0, 0, L"\u0645\u0631\u062d\u0628\u0627"},
        {TCharacterCall::Hide},
    };
    EXPECT_EQ(requests, expected);
    EXPECT_TRUE(error.empty());

    ASSERT_TRUE(web::ParseCharacterLines(L"", requests, error));
    EXPECT_TRUE(requests.empty());
}

TEST(CharacterScript, AnyMalformedLineLeavesTheWholeBlockUnplayed) {
    const struct {
        const wchar_t* line;
        const char* fault;
    } cases[] = {
        {L"Zarek.MoveTo 600", "needs two whole numbers"},
        {L"Zarek.MoveTo 600,", "needs two whole numbers"},
        {L"Zarek.MoveTo x, 400", "needs two whole numbers"},
        {L"Zarek.MoveTo 600, 400, 3", "needs two whole numbers"},
        {L"Zarek.MoveTo 99999999, 1", "needs two whole numbers"},
        {L"Zarek.MoveTo600, 400", "must be followed by a blank"},
        {L"Zarek.Show now", "takes no arguments"},
        {L"Zarek.Play Wave", "animation's name in quotes"},
        {L"Zarek.Play \"\"", "animation's name in quotes"},
        {L"Zarek.Speak Hello", "words in quotes"},
        {L"Zarek.Speak \"Hello", "words in quotes"},
        {L"Zarek.Speak \"Hello\", hello.wav", "sound file in quotes"},
        {L"Zarek.Speak \"Hello\" \"hello.wav\"", "more than the words"},
        {L"Zarek.Dance", "unknown call"},
        {L"Show", "Name.Call"},
        {L"// a comment", "Name.Call"},
    };
    for (const auto& c : cases) {
        std::vector<TCharacterRequest> requests;
        std::string error;
        const WideString block = L"Zarek.Show\r\n\r\n" + WideString(c.line) + L"\r\nZarek.Hide\r\n";
        EXPECT_FALSE(web::ParseCharacterLines(block, requests, error)) << FromWide(c.line);
        EXPECT_TRUE(requests.empty());
        EXPECT_EQ(error.rfind("line 3: ", 0), 0u) << error;
        EXPECT_NE(error.find(c.fault), std::string::npos) << FromWide(c.line) << ": " << error;
    }
}

}  // namespace
