#include <gtest/gtest.h>
#include "Variant.h"

namespace {

TEST(Variant, NullEmptyAndTypes) {
    EXPECT_TRUE(VarIsEmpty(Variant()));
    EXPECT_TRUE(VarIsNull(Null()));
    EXPECT_FALSE(VarIsNull(Variant(0)));
    EXPECT_EQ(VarToStr(Null()), "");
    EXPECT_EQ(VarToStrDef(Null(), "-"), "-");
    EXPECT_EQ(VarType(Variant(std::int16_t(1))), varSmallint);
    EXPECT_EQ(VarType(Variant(std::uint16_t(1))), varWord);
    EXPECT_EQ(VarType(Variant(1)), varInteger);
    EXPECT_EQ(VarType(Variant(1LL)), varInt64);
    EXPECT_EQ(VarType(Variant(1.5)), varDouble);
    EXPECT_EQ(VarType(Variant("x")), varString);
    EXPECT_EQ(VarType(VarFromDateTime(1.0)), varDate);
    EXPECT_EQ(VarType(Variant(Currency{1})), varCurrency);
    EXPECT_TRUE(VarIsNumeric(Variant(true)));
    EXPECT_FALSE(VarIsNumeric(Variant("1")));
}

TEST(Variant, ConversionsBetweenTypes) {
    EXPECT_EQ(Variant(42).AsString(), "42");
    EXPECT_EQ(Variant(true).AsString(), "True");
    EXPECT_EQ(Variant(2.5).AsString(), "2.5");
    EXPECT_EQ(Variant(Currency{12300}).AsString(), "1.23");
    EXPECT_EQ(Variant(Currency{-5}).AsString(), "-0.0005");
    EXPECT_EQ(VarFromDateTime(EncodeDate(2024, 3, 7)).AsString(), "3/7/2024");
    EXPECT_EQ(Variant(" 17 ").AsInteger(), 17);
    EXPECT_EQ(Variant("2.5").AsDouble(), 2.5);
    EXPECT_EQ(Variant(2.5).AsInteger(), 2);   // half to even
    EXPECT_EQ(Variant(3.5).AsInteger(), 4);
    EXPECT_TRUE(Variant("true").AsBoolean());
    EXPECT_FALSE(Variant("0").AsBoolean());
    EXPECT_EQ(Variant(std::uint16_t(65535)).AsInteger(), 65535);
    EXPECT_EQ(Variant("3/7/2024").AsDateTime(), EncodeDate(2024, 3, 7));
    EXPECT_EQ(Variant(1.23456).AsCurrency().Scaled, 12346);
    EXPECT_EQ(VarAsType(Variant("12"), varInteger), Variant(12));
    EXPECT_THROW(VarAsType(Variant(70000), varSmallint), EVariantError);
}

TEST(Variant, ImpossibleConversionsNameBothTypes) {
    struct Case { Variant v; int target; const char* message; };
    const Case cases[] = {
        {Variant("abc"), 0, "Could not convert variant of type (String) into type (Integer)"},
        {Null(), 0, "Could not convert variant of type (Null) into type (Integer)"},
        {Null(), 1, "Could not convert variant of type (Null) into type (Double)"},
        {Variant("x"), 2, "Could not convert variant of type (String) into type (Boolean)"},
        {Variant("soon"), 3, "Could not convert variant of type (String) into type (Date)"},
        {Variant(true), 3, "Could not convert variant of type (Boolean) into type (Date)"},
        {VarArrayOf({1, 2}), 0, "Could not convert variant of type (Array of Variant) into type (Integer)"},
    };
    for (const Case& c : cases) {
        try {
            switch (c.target) {
            case 0: c.v.AsInteger(); break;
            case 1: c.v.AsDouble(); break;
            case 2: c.v.AsBoolean(); break;
            default: c.v.AsDateTime(); break;
            }
            ADD_FAILURE() << c.message;
        } catch (const EVariantTypeCastError& e) {
            EXPECT_EQ(e.Message(), c.message);
        }
    }
    EXPECT_THROW(Variant(3e9).AsInteger(), EVariantError);
}

TEST(Variant, ComparisonsAndArrays) {
    EXPECT_EQ(Variant(1), Variant(1.0));
    EXPECT_EQ(Variant(1), Variant("1"));
    EXPECT_NE(Variant("a"), Variant("A"));
    EXPECT_NE(Variant(1), Variant("one"));
    EXPECT_EQ(Null(), Null());
    EXPECT_NE(Null(), Variant(0));
    EXPECT_NE(Variant(""), Null());
    EXPECT_EQ(VarCompareValue(Variant("a"), Variant("b")), vrLessThan);
    EXPECT_EQ(VarCompareValue(Variant(3), Variant(2.5)), vrGreaterThan);
    EXPECT_EQ(VarCompareValue(Null(), Variant(1)), vrNotEqual);
    Variant a = VarArrayOf({"x", 2, Null()});
    EXPECT_TRUE(VarIsArray(a));
    EXPECT_EQ(VarArrayHighBound(a), 2);
    EXPECT_EQ(a[0].AsString(), "x");
    EXPECT_TRUE(VarIsNull(a[2]));
    EXPECT_THROW(a[3], EVariantError);
    EXPECT_EQ(a, VarArrayOf({"x", 2, Null()}));
    EXPECT_NE(a, VarArrayOf({"x", 2}));
}

TEST(Variant, CurrencyText) {
    Currency c;
    ASSERT_TRUE(TryStrToCurr("12.3456", c));
    EXPECT_EQ(c.Scaled, 123456);
    EXPECT_EQ(CurrToStr(c), "12.3456");
    EXPECT_EQ(CurrToStr(Currency{10000}), "1");
    EXPECT_FALSE(TryStrToCurr("1e30", c));
    EXPECT_FALSE(TryStrToCurr("x", c));
}

}  // namespace
