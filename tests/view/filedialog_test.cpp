#include <gtest/gtest.h>

#include "app/filedialogfilters.h"
#include "viewtesting.h"

// The open dialog offers every format's files; Save As one filter per type written, and the
// typed extension names the type when it names one, a name without one getting the filter's.
TEST(FileDialogFilters, OfferEveryFormatAndTheTypedExtensionWins) {
    EXPECT_EQ(
        OpenFilters(),
        QStringList({"Game Records (*.esn *.kif *.kifu *.ki2 *.ki2u *.csa *.jkf *.usi *.sfen)",
                     "ESN Files (*.esn)", "KIF Files (*.kif *.kifu)", "KI2 Files (*.ki2 *.ki2u)",
                     "CSA Files (*.csa)", "JKF Files (*.jkf)", "USI Files (*.usi)",
                     "SFEN Files (*.sfen)", "All Files (*)"}));
    QStringList saveFilters;
    for (const SaveFilter& filter : SaveFilters())
        saveFilters.append(filter.text);
    EXPECT_EQ(saveFilters,
              QStringList({"ESN Files (*.esn)", "KIF Files, Shift_JIS (*.kif)",
                           "KIFU Files, UTF-8 (*.kifu)", "KI2 Files, Shift_JIS (*.ki2)",
                           "KI2U Files, UTF-8 (*.ki2u)", "CSA 3.0 Files, UTF-8 (*.csa)",
                           "CSA 2.2 Files, Shift_JIS (*.csa)", "JKF Files (*.jkf)",
                           "USI Files (*.usi)", "SFEN Files (*.sfen)"}));

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
        {"/r/game.csa", "csa2", "/r/game.csa", "csa2"},
    };
    for (const auto& c : cases) {
        QString path = QString::fromUtf8(c.typed);
        EXPECT_EQ(ResolveSaveTarget(path, *FileTypeForName(c.chosen)), *FileTypeForName(c.written))
            << c.typed;
        EXPECT_EQ(path, QString::fromUtf8(c.path));
    }
}
