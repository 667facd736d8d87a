#include <gtest/gtest.h>

#include "app/filedialogfilters.h"
#include "view/commandids.h"
#include "viewtesting.h"

namespace {

FileType TypeNamed(const char* name) {
    return *FileTypeForName(name);
}

}  // namespace

// The open dialog offers every format's files, and Save As one filter per type written.
TEST(FileDialogFilters, OfferEveryFormatAndType) {
    EXPECT_EQ(OpenFilters(),
              QStringList({"Game Records (*.esn *.usi *.sfen)", "ESN Files (*.esn)",
                           "USI Files (*.usi)", "SFEN Files (*.sfen)", "All Files (*)"}));
    QStringList saveFilters;
    for (const SaveFilter& filter : SaveFilters()) {
        saveFilters.append(filter.text);
        EXPECT_EQ(TypeOfSaveFilter(filter.text), filter.type);
        EXPECT_EQ(SaveFilterFor(filter.type), filter.text);
    }
    EXPECT_EQ(saveFilters,
              QStringList({"ESN Files (*.esn)", "USI Files (*.usi)", "SFEN Files (*.sfen)"}));
}

// The typed extension names the type when it names one; a name without one gets the chosen
// type's.
TEST(FileDialogFilters, TheTypedExtensionWinsAndAMissingOneIsAdded) {
    const struct {
        const char* typed;
        const char* chosen;
        const char* path;
        const char* written;
    } cases[] = {
        {"/r/game", "esn", "/r/game.esn", "esn"},
        {"/r/game.", "sfen", "/r/game.sfen", "sfen"},
        {"/r/game.usi", "esn", "/r/game.usi", "usi"},
        {"/r/GAME.USI", "esn", "/r/GAME.USI", "usi"},
        {"/r/game.txt", "usi", "/r/game.txt", "usi"},
        {"/r/v1.2/game", "usi", "/r/v1.2/game.usi", "usi"},
        {"/r/game.sfen", "sfen", "/r/game.sfen", "sfen"},
    };
    for (const auto& c : cases) {
        QString path = QString::fromUtf8(c.typed);
        EXPECT_EQ(ResolveSaveTarget(path, TypeNamed(c.chosen)), TypeNamed(c.written)) << c.typed;
        EXPECT_EQ(path, QString::fromUtf8(c.path));
    }
}

// Save As writes the type of the filter chosen, to the name with its extension added.
TEST_F(FrameTest, SaveAsWritesTheChosenType) {
    OpenGame("1. P-7f\r\n2. P-3d\r\n");
    frame->SetSaveFileChooser([this](const QString&, FileType& type) {
        EXPECT_EQ(type, FileType{}) << "the record's own type is offered first";
        type = TypeNamed("usi");
        return dir.filePath(QStringLiteral("moves"));
    });
    Trigger(ID_FILE_SAVE_AS);
    EXPECT_EQ(doc.GetTitle(), QStringLiteral("moves.usi"));
    QFile file(dir.filePath(QStringLiteral("moves.usi")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("position startpos moves 7g7f 3c3d\n"));
}
