#include <gtest/gtest.h>

#include "app/filedialogfilters.h"
#include "viewtesting.h"

// The open dialog offers every format's files; Save As one filter per type written, and the
// typed extension names the type when it names one, a name without one getting the filter's.
TEST(FileDialogFilters, OfferEveryFormatAndTheTypedExtensionWins) {
    EXPECT_EQ(
        OpenFilters(),
        QStringList({"Game Records (*.esn *.kif *.kifu *.ki2 *.ki2u *.usi *.sfen)",
                     "ESN Files (*.esn)", "KIF Files (*.kif *.kifu)", "KI2 Files (*.ki2 *.ki2u)",
                     "USI Files (*.usi)", "SFEN Files (*.sfen)", "All Files (*)"}));
    EXPECT_EQ(SaveFilterFor(*FileTypeForName("kif")),
              QStringLiteral("KIF Files, Shift_JIS (*.kif)"));
    EXPECT_EQ(SaveFilterFor(*FileTypeForName("ki2u")),
              QStringLiteral("KI2U Files, UTF-8 (*.ki2u)"));
    EXPECT_EQ(SaveFilters().size(), 7u);

    const struct {
        const char* typed;
        const char* chosen;
        const char* path;
        const char* written;
    } cases[] = {
        {"/r/game", "esn", "/r/game.esn", "esn"},
        {"/r/v1.2/game.", "sfen", "/r/v1.2/game.sfen", "sfen"},
        {"/r/GAME.USI", "esn", "/r/GAME.USI", "usi"},
        {"/r/game.txt", "usi", "/r/game.txt", "usi"},
        {"/r/game.kifu", "kif", "/r/game.kifu", "kifu"},
        {"/r/game.kifu", "kif", "/r/game.kifu", "kifu"},
    };
    for (const auto& c : cases) {
        QString path = QString::fromUtf8(c.typed);
        EXPECT_EQ(ResolveSaveTarget(path, *FileTypeForName(c.chosen)), *FileTypeForName(c.written))
            << c.typed;
        EXPECT_EQ(path, QString::fromUtf8(c.path));
    }
}
