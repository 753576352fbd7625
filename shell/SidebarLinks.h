// The links of the sidebar's six groups: what each group offers depends on the language
// and, for two groups, on the Windows family the program runs on.
#pragma once

#include <string>
#include <vector>

namespace sidebar {

struct Link {
    std::string caption;
    int iconIndex; // into the sidebar's icon image list
};

struct GroupLinks {
    std::vector<Link> links;
    int panelHeight; // of the shared link panel while the group is open
};

// group 0 to 5; german picks the German captions; osLevel as TForm1::OsLevel.
// Any other group gives no links and a height of 0.
GroupLinks LinksOf(int group, bool german, int osLevel);

} // namespace sidebar
