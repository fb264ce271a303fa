#pragma once

#include <regex>
#include <set>
#include <string>
#include <vector>

namespace synopter::test {

// Every element closed in order (void elements aside); the first fault, or "".
inline std::string UnbalancedTag(const std::string& page)
{
    static const std::set<std::string> kVoid{"meta", "br", "col", "hr", "img", "link"};
    std::vector<std::string> open;
    static const std::regex tag(R"(<(/?)([a-zA-Z][a-zA-Z0-9]*)[^>]*>)");
    for (auto it = std::sregex_iterator(page.begin(), page.end(), tag); it != std::sregex_iterator(); ++it) {
        const std::string name = (*it)[2];
        if ((*it)[1].length() == 0) {
            if (!kVoid.contains(name))
                open.push_back(name);
        } else if (open.empty() || open.back() != name) {
            return "</" + name + "> at " + std::to_string(it->position());
        } else {
            open.pop_back();
        }
    }
    return open.empty() ? "" : "<" + open.back() + "> left open";
}

} // namespace synopter::test
