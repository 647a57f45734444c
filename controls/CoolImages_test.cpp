#include "controls/CoolImages.h"
#include <vector>
#include "controls/CoolListBox.h"
#include "platform/ui/testing/ShownForm.h"

namespace {
void Solid(TBitmap* b, TColor color, int size = 8) {
    b->SetSize(size, size);
    b->Canvas()->Brush()->SetColor(color);
    b->Canvas()->FillRect(Rect(0, 0, size, size));
}
}  // namespace

// A change of any picture reaches every link, in the order they registered; links go with
// the collection, and a link that is freed first leaves it.
TEST(CoolImagesTest, PictureChangesReachEveryRegisteredLink) {
    auto* images = new TCoolImages(nullptr);
    images->Bitmaps()->Add();
    images->Bitmaps()->Add();
    std::vector<int> heard;
    TCoolChangeLink first, second;
    auto third = std::make_unique<TCoolChangeLink>();
    first.OnChange = [&](TObject* sender) { heard.push_back(1); EXPECT_EQ(sender, images); };
    second.OnChange = [&](TObject*) { heard.push_back(2); };
    third->OnChange = [&](TObject*) { heard.push_back(3); };
    images->RegisterChanges(&first);
    images->RegisterChanges(&second);
    images->RegisterChanges(third.get());
    EXPECT_EQ(first.Sender, images);

    Solid(images->Bitmaps()->Items(0)->Bitmap(), clRed);      // drawing into item 0
    EXPECT_EQ(heard, (std::vector<int>{1, 2, 3, 1, 2, 3}));   // resized, then painted
    heard.clear();
    third.reset();                                            // a freed link leaves
    TBitmap blue;
    Solid(&blue, clBlue);
    images->Bitmaps()->Items(1)->SetBitmap(&blue);            // a copy, into the item's own bitmap
    EXPECT_NE(images->Bitmaps()->Items(1)->Bitmap(), &blue);
    EXPECT_EQ(heard, (std::vector<int>{1, 2}));
    heard.clear();
    images->Bitmaps()->Add();                                 // items come and go unheard
    images->Bitmaps()->Delete(2);
    images->UnRegisterChanges(&second);
    images->UnRegisterChanges(&second);                       // not registered: ignored
    EXPECT_EQ(second.Sender, nullptr);
    images->Bitmaps()->Items(0)->Assign(*images->Bitmaps()->Items(1));
    EXPECT_EQ(heard, (std::vector<int>{1}));
    EXPECT_EQ(images->Bitmaps()->Items(0)->Bitmap()->Canvas()->Pixels(1, 1), clBlue);

    images->Free();
    EXPECT_EQ(first.Sender, nullptr);
}

struct CoolImagesRuleTest : ShownFormFixture {
    TCoolListBox* Box = nullptr;
    void SetUp() override {
        ShownFormFixture::SetUp();
        Box = new TCoolListBox(Form);
        Box->SetParent(Form);
    }
};

// The collection's bitmap at the index when it is there and not empty, else the control's own,
// else none.
TEST_F(CoolImagesRuleTest, TheWallpaperComesFromTheCollectionTheOwnBitmapOrNowhere) {
    auto* images = new TCoolImages(Form);
    for (int i = 0; i < 3; ++i) Solid(images->Bitmaps()->Add()->Bitmap(), clRed);
    Box->SetCoolImages(images);
    EXPECT_EQ(Box->WallpaperOf(wkBackground), nullptr);   // nothing yet
    Box->SetidWallpaper(3);
    Solid(Box->Wallpaper(), clBlue);
    EXPECT_EQ(Box->WallpaperOf(wkBackground), Box->Wallpaper());   // index past the end
    images->Bitmaps()->Add();
    EXPECT_EQ(Box->WallpaperOf(wkBackground), Box->Wallpaper());   // item 3 empty
    Solid(images->Bitmaps()->Items(3)->Bitmap(), clLime);
    EXPECT_EQ(Box->WallpaperOf(wkBackground), images->Bitmaps()->Items(3)->Bitmap());
    EXPECT_TRUE(Box->HasWallpaper());
    EXPECT_FALSE(Box->HasSelWallpaper());
    Box->SetidSelWallpaper(0);
    EXPECT_EQ(Box->WallpaperOf(wkSelected), images->Bitmaps()->Items(0)->Bitmap());
    Box->SetidWallpaper(-1);
    TBitmap none;
    Box->SetWallpaper(&none);
    EXPECT_FALSE(Box->HasWallpaper());
}

// A collection on another form, or on none, that is freed leaves no pointer behind: the list
// forgets it and paints on.
TEST_F(CoolImagesRuleTest, AFreedCollectionAnywhereLeavesTheControlWithout) {
    for (TComponent* owner : {static_cast<TComponent*>(nullptr), static_cast<TComponent*>(Form)}) {
        auto* images = new TCoolImages(owner);
        Solid(images->Bitmaps()->Add()->Bitmap(), clRed);
        Box->SetCoolImages(images);
        Box->SetidWallpaper(0);
        Box->SetOptions(ocPaintWallpaper);
        Box->Items()->Add("one");
        EXPECT_TRUE(Box->HasWallpaper());
        images->Free();
        EXPECT_EQ(Box->CoolImages(), nullptr);
        EXPECT_FALSE(Box->HasWallpaper());
        Box->Repaint();
        Box->Items()->Clear();
    }
    // a collection taken out of its owner (not freed) keeps working, unlinked from the list
    auto* images = new TCoolImages(Form);
    Box->SetCoolImages(images);
    Form->RemoveComponent(images);
    EXPECT_EQ(Box->CoolImages(), nullptr);
    Solid(images->Bitmaps()->Add()->Bitmap(), clRed);
    images->Free();
}
