#include <gtest/gtest.h>

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QRect>

#include <cstdint>
#include <set>

namespace {

QByteArray ReadResource(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::uint32_t Le32(const QByteArray& bytes, int offset)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) {
        v = (v << 8) | static_cast<std::uint8_t>(bytes[offset + i]);
    }
    return v;
}

std::uint16_t Le16(const QByteArray& bytes, int offset)
{
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[offset]) |
                                      static_cast<std::uint8_t>(bytes[offset + 1]) << 8);
}

// What the window and the About box rely on: each picture's pixel size and
// colour depth, as plain uncompressed bottom-up bitmaps.
TEST(Pictures, HaveTheirSizesAndDepths)
{
    struct Case {
        const char* file;
        int width, height, bits;
    };
    const Case cases[] = {
        {"icon128.bmp", 48, 48, 24},   {"bitmap131.bmp", 32, 32, 4},
        {"bitmap133.bmp", 96, 96, 24}, {"bitmap134.bmp", 219, 60, 24},
        {"bitmap136.bmp", 649, 96, 24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const QString path = QString(":/res/images/") + c.file;
        const QByteArray bytes = ReadResource(path);
        ASSERT_GE(bytes.size(), 54);
        EXPECT_EQ(bytes.left(2), QByteArray("BM"));
        EXPECT_EQ(Le32(bytes, 2), static_cast<std::uint32_t>(bytes.size()));
        EXPECT_EQ(static_cast<int>(Le32(bytes, 18)), c.width);
        EXPECT_EQ(static_cast<int>(Le32(bytes, 22)), c.height);  // positive: bottom-up
        EXPECT_EQ(Le16(bytes, 28), c.bits);
        EXPECT_EQ(Le32(bytes, 30), 0u);  // no compression

        const QImage image(path);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(c.width, c.height));
    }
}

// The recording indicator: the recorder copies every pixel whose red is not
// 192 into the frame, so the silver background must be the only such colour.
class IndicatorPicture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_bytes = ReadResource(":/res/images/bitmap131.bmp");
        m_image = QImage(":/res/images/bitmap131.bmp").convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(m_image.isNull());
        ASSERT_EQ(m_image.size(), QSize(32, 32));
    }
    QColor At(int x, int y) const { return m_image.pixelColor(x, y); }

    QByteArray m_bytes;
    QImage m_image;
};

const QColor kSilver(192, 192, 192), kRed(255, 0, 0), kGrey(128, 128, 128), kBlack(0, 0, 0),
    kWhite(255, 255, 255), kYellow(255, 255, 0);

TEST_F(IndicatorPicture, UsesTheStandardSixteenColourPalette)
{
    ASSERT_EQ(Le16(m_bytes, 28), 4);
    const int palette = 14 + static_cast<int>(Le32(m_bytes, 14));
    const QColor expected[16] = {
        {0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
        {0, 128, 128}, kSilver,       kGrey,         kRed,          {0, 255, 0},   kYellow,
        {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, kWhite,
    };
    for (int i = 0; i < 16; ++i) {
        SCOPED_TRACE(i);
        const int at = palette + 4 * i;  // blue, green, red, unused
        EXPECT_EQ(QColor(static_cast<std::uint8_t>(m_bytes[at + 2]), static_cast<std::uint8_t>(m_bytes[at + 1]),
                         static_cast<std::uint8_t>(m_bytes[at])),
                  expected[i]);
    }
}

TEST_F(IndicatorPicture, RedBallOnSilverLitFromTheUpperLeft)
{
    struct Case {
        const char* what;
        int x, y;
        QColor colour;
    };
    // Rows counted from the top: a file stored the wrong way up would put
    // the rim at the bottom and the shadow at the top.
    const Case cases[] = {
        {"corner", 0, 0, kSilver},
        {"outside the ball", 8, 16, kSilver},
        {"centre", 16, 17, kRed},
        {"rim, top", 15, 10, kGrey},
        {"rim, left", 9, 16, kGrey},
        {"highlight", 13, 13, kWhite},
        {"highlight's edge", 12, 13, kYellow},
        {"shadow, right", 23, 16, kBlack},
        {"shadow's rim, right", 24, 16, kWhite},
        {"shadow's rim, bottom", 15, 24, kWhite},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(At(c.x, c.y), c.colour);
    }
}

TEST_F(IndicatorPicture, OnlyTheBackgroundHasRed192)
{
    const std::set<QRgb> ballColours = {kRed.rgb(), kGrey.rgb(), kBlack.rgb(), kWhite.rgb(), kYellow.rgb()};
    QRect ball;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QColor c = At(x, y);
            if (c == kSilver) {
                continue;
            }
            SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
            EXPECT_NE(c.red(), 192);
            EXPECT_TRUE(ballColours.count(c.rgb()));
            ball |= QRect(x, y, 1, 1);
        }
    }
    EXPECT_EQ(ball, QRect(QPoint(9, 10), QPoint(24, 24)));
}

}  // namespace
