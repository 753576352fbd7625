#include "common/OptionsKeys.h"

#include <gtest/gtest.h>

#include <string>

// Each subkey's full path must be the Options key plus its own name: a typo in either
// would silently split the settings over two keys.
TEST(OptionsKeys, SubkeyPathsAreBuiltFromTheOptionsKey)
{
    const std::string root = options::Key;
    EXPECT_EQ(root, "Software\\Tidewrack\\Options");
    struct Subkey { const char* name; const char* key; };
    for (Subkey s : {Subkey{options::action::Name, options::action::Key},
                     Subkey{options::fileEnding::Name, options::fileEnding::Key},
                     Subkey{options::excludeDirs::Name, options::excludeDirs::Key},
                     Subkey{options::driveSettings::Name, options::driveSettings::Key},
                     Subkey{options::duplicateDriveSettings::Name, options::duplicateDriveSettings::Key},
                     Subkey{options::addedDirs::Name, options::addedDirs::Key},
                     Subkey{options::addedDuplicateDirs::Name, options::addedDuplicateDirs::Key},
                     Subkey{options::cookiesNoDelete::Name, options::cookiesNoDelete::Key},
                     Subkey{options::backup::Name, options::backup::Key},
                     Subkey{options::tasks::Name, options::tasks::Key},
                     Subkey{options::scanDoubleSettings::Name, options::scanDoubleSettings::Key},
                     Subkey{options::screenSettingsDelFiles::Name, options::screenSettingsDelFiles::Key},
                     Subkey{options::screenSettingsBackupFiles::Name, options::screenSettingsBackupFiles::Key},
                     Subkey{options::searchRegSettings::Name, options::searchRegSettings::Key},
                     Subkey{options::chkDsk::Name, options::chkDsk::Key},
                     Subkey{options::dirSize::Name, options::dirSize::Key}})
        EXPECT_EQ(std::string(s.key), root + "\\" + s.name);
    EXPECT_EQ(std::string(options::scanDirs::Key), std::string(options::tasks::Key) + "\\" + options::scanDirs::Name);
}

TEST(OptionsKeys, HistoricalSpellingsStay)
{
    EXPECT_STREQ(options::screenSettingsDelFiles::ColumsWidth, "columswidth");
    EXPECT_STREQ(options::screenSettingsBackupFiles::ColumsWidth, "columswidth");
    EXPECT_STREQ(options::scanDoubleSettings::ColumnsWidth, "columnswidth");
    EXPECT_STREQ(options::searchRegSettings::ColumnsWidth, "columnswidth");
    EXPECT_STREQ(options::dirSize::SaveSetiings, "saveSetiings");
}
