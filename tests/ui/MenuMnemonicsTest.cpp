#include "res/FrameResources.h"
#include "res/ResourceIds.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <span>
#include <string>

namespace {

// Every entry of one menu and of the popups below it carries a mnemonic that no other entry of
// the same menu has, so that each can be chosen with its letter.
void expectUniqueMnemonics(std::span<const MenuItemTemplate> menu, const std::string& path) {
    std::map<char, std::string> taken;
    for (const MenuItemTemplate& entry : menu) {
        if (entry.isSeparator()) {
            continue;
        }
        const std::string text = entry.text;
        const size_t mark = text.find('&');
        if (mark == std::string::npos || mark + 1 == text.size()) {
            ADD_FAILURE() << path << text << " has no mnemonic";
        } else {
            const char key =
                static_cast<char>(std::toupper(static_cast<unsigned char>(text[mark + 1])));
            const auto [clash, fresh] = taken.emplace(key, text);
            EXPECT_TRUE(fresh) << path << text << " shares its mnemonic with " << clash->second;
        }
        if (entry.isPopup()) {
            expectUniqueMnemonics(entry.popup, path + text + " > ");
        }
    }
}

TEST(MainMenu, EveryEntryHasAMnemonicOfItsOwnWithinItsMenu) {
    const MenuTemplate* menu = findMenu(IDR_MAINFRAME);
    ASSERT_NE(menu, nullptr);
    expectUniqueMnemonics(menu->popups, "");
}

} // namespace
