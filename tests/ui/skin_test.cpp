#include "platform/os/ProgramPath.h"
#include "platform/skin/Skin.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>

#include <filesystem>
#include <optional>
#include <string>

namespace {

const char* const kSkinName = "XP-Metallic.ssk";
const QString kBefore = "QPushButton { color: #010203; }";

// Runs each case from a working folder and a program folder of its own, and
// puts the style sheet, the working folder and the program path back after.
class LoadSkinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir(m_dir.path()).mkpath("work"));
        ASSERT_TRUE(QDir(m_dir.path()).mkpath("program"));
        m_oldWorkingFolder = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(m_dir.filePath("work")));
        os::SetProgramFilePathForTesting(m_dir.filePath("program/morvane").toStdString());
        m_oldSheet = qApp->styleSheet();
        qApp->setStyleSheet(kBefore);
    }
    void TearDown() override
    {
        qApp->setStyleSheet(m_oldSheet);
        os::ClearProgramFilePathForTesting();
        QDir::setCurrent(m_oldWorkingFolder);
    }

    void Write(const QString& folder, const QByteArray& text)
    {
        QFile file(m_dir.filePath(folder + "/" + kSkinName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

    // Removes the skin file, or a folder of its name, but not the folder it
    // is in: that one is the working folder.
    void Clear(const QString& folder)
    {
        const QString path = m_dir.filePath(folder + "/" + kSkinName);
        QFile::remove(path);
        QDir(path).removeRecursively();
    }

    QTemporaryDir m_dir;
    QString m_oldWorkingFolder;
    QString m_oldSheet;
};

TEST_F(LoadSkinTest, FirstUsableFileWinsWorkingFolderBeforeProgramFolder)
{
    const QByteArray work = "QDialog { background: #111111; }";
    const QByteArray program = "QDialog { background: #222222; }";
    struct Case {
        const char* what;
        std::optional<QByteArray> inWork, inProgram;
        bool workIsFolder;
        std::optional<QByteArray> applied;  // none: nothing changes
    };
    const Case cases[] = {
        {"only in the working folder", work, {}, false, work},
        {"only in the program folder", {}, program, false, program},
        {"in both", work, program, false, work},
        {"in neither", {}, {}, false, {}},
        {"empty in the working folder", QByteArray(), program, false, program},
        {"only blanks, nowhere else", QByteArray(" \n\t\n"), {}, false, {}},
        {"a folder of that name in the working folder", {}, program, true, program},
        {"a folder of that name and nothing else", {}, {}, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Clear("work");
        Clear("program");
        if (c.inWork) {
            Write("work", *c.inWork);
        }
        if (c.inProgram) {
            Write("program", *c.inProgram);
        }
        if (c.workIsFolder) {
            QDir(m_dir.filePath("work")).mkpath(kSkinName);
        }
        qApp->setStyleSheet(kBefore);

        const int result = LoadSkin(kSkinName, 0);

        EXPECT_EQ(result, c.applied ? 1 : 0);
        EXPECT_EQ(qApp->styleSheet().toStdString(),
                  c.applied ? c.applied->toStdString() : kBefore.toStdString());
    }
}

TEST_F(LoadSkinTest, NoNameChangesNothing)
{
    Write("work", "QDialog { background: #111111; }");
    EXPECT_EQ(LoadSkin(nullptr, 0), 0);
    EXPECT_EQ(LoadSkin("", 0), 0);
    EXPECT_EQ(qApp->styleSheet().toStdString(), kBefore.toStdString());
}

TEST_F(LoadSkinTest, ProgramPathWithoutFolderStillFindsTheWorkingFoldersSkin)
{
    Write("work", "QDialog { background: #111111; }");
    os::SetProgramFilePathForTesting("morvane");  // no folder at all
    EXPECT_EQ(LoadSkin(kSkinName, 0), 1);
}

// The skin that ships with the program, read from the source tree.
QString ShippedSkin()
{
    const auto path = std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() /
                      "res" / kSkinName;
    QFile file(QString::fromStdString(path.string()));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Collects Qt's complaints about style sheets while it lives.
class StyleSheetWarnings {
public:
    StyleSheetWarnings() { s_seen.clear(); m_old = qInstallMessageHandler(&Handle); }
    ~StyleSheetWarnings() { qInstallMessageHandler(m_old); }
    const QStringList& seen() const { return s_seen; }

private:
    static void Handle(QtMsgType, const QMessageLogContext&, const QString& text)
    {
        if (text.contains("style", Qt::CaseInsensitive)) {
            s_seen << text;
        }
    }
    static inline QStringList s_seen;
    QtMessageHandler m_old = nullptr;
};

class ShippedSkinTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_sheet = ShippedSkin();
        ASSERT_FALSE(m_sheet.isEmpty());
        m_oldSheet = qApp->styleSheet();
        qApp->setStyleSheet(m_sheet);
    }
    void TearDown() override { qApp->setStyleSheet(m_oldSheet); }

    QString m_sheet;
    QString m_oldSheet;
};

int CountPixels(const QImage& image, bool (*match)(QColor))
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += match(image.pixelColor(x, y)) ? 1 : 0;
        }
    }
    return count;
}

TEST_F(ShippedSkinTest, ParsesWithoutComplaint)
{
    StyleSheetWarnings warnings;
    qApp->setStyleSheet(QString());
    qApp->setStyleSheet(m_sheet);
    QDialog dialog;
    QPushButton button("打开相机", &dialog);
    QComboBox combo(&dialog);
    QLineEdit edit(&dialog);
    dialog.grab();
    EXPECT_TRUE(warnings.seen().isEmpty()) << warnings.seen().join('\n').toStdString();
}

TEST_F(ShippedSkinTest, KeepsTheWindowsRedStaticTextAndItsPictures)
{
    QDialog dialog;
    QLabel text("正在录像 REC", &dialog);
    QPalette palette = text.palette();
    palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
    text.setPalette(palette);
    text.resize(160, 30);

    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(QColor(10, 200, 30));
    QLabel bitmap(&dialog);
    bitmap.setPixmap(QPixmap::fromImage(picture));
    bitmap.move(0, 40);
    bitmap.resize(40, 20);
    dialog.resize(200, 80);

    const QImage shownText = text.grab().toImage();
    EXPECT_GT(CountPixels(shownText, [](QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; }), 10);

    const QImage shownPicture = bitmap.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shownPicture, picture);
}

TEST_F(ShippedSkinTest, ButtonStatesLookDifferent)
{
    // Drawn straight through the style with each state set, since an
    // offscreen window never has the mouse over it.
    QDialog dialog;
    QPushButton button("开始录像", &dialog);
    button.resize(90, 50);
    auto look = [&](QStyle::State state) {
        QStyleOptionButton option;
        option.initFrom(&button);
        option.text = button.text();
        option.state = state;
        QImage image(button.size(), QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        button.style()->drawControl(QStyle::CE_PushButton, &option, &painter, &button);
        return image;
    };
    const QImage states[] = {
        look(QStyle::State_Enabled | QStyle::State_Raised),
        look(QStyle::State_Enabled | QStyle::State_Raised | QStyle::State_MouseOver),
        look(QStyle::State_Enabled | QStyle::State_Sunken),
        look(QStyle::State_Raised),
    };
    const char* names[] = {"normal", "hover", "pressed", "disabled"};
    for (int i = 0; i < 4; ++i) {
        for (int j = i + 1; j < 4; ++j) {
            SCOPED_TRACE(testing::Message() << names[i] << " against " << names[j]);
            EXPECT_TRUE(states[i] != states[j]);
        }
    }
}

}  // namespace
