// Splitting a label into the text around and inside its "<A>...</A>" tags.
#pragma once

#include <string>

struct LinkTextParts {
    std::wstring prefix;
    std::wstring link;    // empty when either tag is missing
    std::wstring suffix;
};

// Tags match in any letter case. Without both tags no text is lost: it all
// stays outside the link.
LinkTextParts splitLinkTags(const std::wstring& label);
