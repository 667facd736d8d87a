#include <gtest/gtest.h>

#include "app/filedialogfilters.h"
#include "viewtesting.h"

// In Save As the typed extension names the type when it names one, a name without one getting
// the chosen filter's.
TEST(FileDialogFilters, TheTypedExtensionWins) {
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
