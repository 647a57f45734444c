#include <windows.h>
#include <mmsystem.h>
#include "platform/testing/TestSupport.h"
#include "platform/ui/MediaPlayer.h"
#include "platform/ui/testing/ShownForm.h"

using MediaPlayerTest = ShownFormFixture;

namespace {
// 200 ms of 8 kHz, 8-bit mono silence.
std::string SilentWave() {
    const std::uint32_t samples = 1600;
    std::string w = "RIFF";
    auto u32 = [&](std::uint32_t v) { for (int i = 0; i < 4; ++i) w.push_back(static_cast<char>((v >> (8 * i)) & 0xFF)); };
    auto u16 = [&](std::uint16_t v) { w.push_back(static_cast<char>(v & 0xFF)); w.push_back(static_cast<char>(v >> 8)); };
    u32(36 + samples);
    w += "WAVEfmt ";
    u32(16); u16(1); u16(1); u32(8000); u32(8000); u16(1); u16(8);
    w += "data";
    u32(samples);
    w.append(samples, static_cast<char>(0x80));
    return w;
}
String McIText(DWORD error) {
    wchar_t text[256]{};
    mciGetErrorStringW(error, text, 256);
    return FromWide(text);
}
}  // namespace

TEST_F(MediaPlayerTest, FailuresRaiseWithTheMciText) {
    testing_support::TempFolder folder;
    auto* player = new TMediaPlayer(Form);
    EXPECT_EQ(player->Mode(), mpNotReady);
    try {
        player->Play();
        FAIL() << "played without a device";
    } catch (const EMCIDeviceError& e) {
        EXPECT_EQ(String(e.what()), McIText(MCIERR_INVALID_DEVICE_ID));
    }
    player->FileName = folder.File("missing.wav");
    try {
        player->Open();
        FAIL() << "opened a missing file";
    } catch (const EMCIDeviceError& e) {
        EXPECT_FALSE(String(e.what()).empty());
        EXPECT_EQ(String(e.what()), player->ErrorMessage());
        EXPECT_NE(player->Error(), 0);
    }
    EXPECT_FALSE(player->Opened());
}

TEST_F(MediaPlayerTest, EndOfACommandReachesOnNotify) {
    auto* player = new TMediaPlayer(Form);
    std::vector<TMPNotifyValues> seen;
    player->OnNotify = [&](TObject* s) { seen.push_back(static_cast<TMediaPlayer*>(s)->NotifyValue()); };
    SendMessageW(player->NotifyWindow(), MM_MCINOTIFY, MCI_NOTIFY_SUCCESSFUL, 1);
    SendMessageW(player->NotifyWindow(), MM_MCINOTIFY, MCI_NOTIFY_ABORTED, 1);
    EXPECT_EQ(seen, (std::vector<TMPNotifyValues>{nvSuccessful, nvAborted}));
}

TEST_F(MediaPlayerTest, WaveFilePlaysSeeksAndRewinds) {
    testing_support::TempFolder folder;
    folder.Write("a.wav", SilentWave());
    auto* player = new TMediaPlayer(Form);
    player->FileName = folder.File("a.wav");
    try {
        player->Open();
    } catch (const EMCIDeviceError& e) {
        // a machine without a sound device cannot open waves; the error says so
        EXPECT_FALSE(String(e.what()).empty());
        GTEST_SKIP() << "no wave device: " << e.what();
    }
    EXPECT_EQ(player->Mode(), mpStopped);
    EXPECT_NEAR(player->Length(), 200, 2);
    player->SetPosition(50);
    EXPECT_NEAR(player->Position(), 50, 2);
    player->Rewind();
    EXPECT_EQ(player->Position(), 0);
    player->SetWait(true);
    try {
        player->Play();
    } catch (const EMCIDeviceError& e) {
        // playing needs a wave output device, which a machine without sound lacks
        ASSERT_EQ(waveOutGetNumDevs(), 0u) << e.what();
        EXPECT_FALSE(player->Wait());
        player->Close();
        GTEST_SKIP() << "no wave output device: " << e.what();
    }
    EXPECT_EQ(player->Mode(), mpStopped);
    EXPECT_FALSE(player->Wait());            // for that command only
    player->Close();
    EXPECT_EQ(player->Mode(), mpNotReady);
}
