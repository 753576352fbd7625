#include "tests/support/MainFormFixture.h"

#include "tests/support/Sandbox.h"
#include "toolkit/Registry.h"

namespace testing_support {

void ClearSettings()
{
    RequireTestSandbox();
    TRegistry registry;
    registry.DeleteKey("Software\\Tidewrack");
    // A test that went on with settings left over would fail far from the cause.
    EXPECT_FALSE(registry.KeyExists("Software\\Tidewrack"))
        << "the settings are still there: does another program in the sandbox write them?";
}

void StoreSetting(const std::string& key, const std::string& name, const std::string& value)
{
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(key, true)) << key;
    ASSERT_TRUE(registry.WriteString(name, value)) << key << "\\" << name;
}

std::optional<std::string> StoredSetting(const std::string& key, const std::string& name)
{
    TRegistry registry;
    if (!registry.OpenKeyReadOnly(key))
        return std::nullopt;
    return registry.ReadString(name);
}

std::vector<std::string> SettingNames(const std::string& key)
{
    TRegistry registry;
    if (!registry.OpenKeyReadOnly(key))
        return {};
    return registry.GetValueNames();
}

} // namespace testing_support
