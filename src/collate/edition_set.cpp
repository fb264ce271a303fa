#include "collate/edition_set.h"

#include "common/error.h"
#include "editions/edition.h"
#include "editions/edition_argument.h"
#include "editions/edition_check.h"
#include "editions/nt_layout.h"

#include <algorithm>

namespace synopter::collate {

std::vector<const std::vector<std::string>*> EditionSet::TextPointers() const
{
    std::vector<const std::vector<std::string>*> out;
    for (const auto& text : texts)
        out.push_back(&text);
    return out;
}

std::vector<const std::vector<std::string>*> EditionSet::TextPointers(const std::vector<int>& members) const
{
    std::vector<const std::vector<std::string>*> out;
    for (const int m : members)
        out.push_back(&texts[size_t(m)]);
    return out;
}

std::vector<const Lacunae*> EditionSet::LacunaPointers() const
{
    std::vector<const Lacunae*> out;
    for (size_t e = 0; e < texts.size(); ++e)
        out.push_back(e < lacunae.size() ? &lacunae[e] : nullptr);
    return out;
}

std::vector<const Lacunae*> EditionSet::LacunaPointers(const std::vector<int>& members) const
{
    std::vector<const Lacunae*> out;
    for (const int m : members)
        out.push_back(size_t(m) < lacunae.size() ? &lacunae[size_t(m)] : nullptr);
    return out;
}

EditionSet LoadEditionSet(const std::vector<std::string>& folders, const std::vector<std::string>& editions)
{
    EditionSet set;
    const std::vector<std::string> catalogue = ListEditions(folders);
    for (const std::string& edition : editions) {
        Witness witness;
        std::string textPath, descriptorPath;
        if (const std::optional<EditionFiles> files = EditionArgumentFiles(edition, catalogue)) {
            textPath = files->text;
            descriptorPath = files->descriptor;
            witness.name = files->name;
        } else {
            const std::string name = CatalogueName(edition);
            if (std::find(catalogue.begin(), catalogue.end(), name) == catalogue.end()) {
                set.problem = UnknownEditionMessage(edition, folders, catalogue);
                return set;
            }
            const std::string folder = EditionFolder(folders, name);
            textPath = EditionTextPath(folder, name);
            descriptorPath = EditionDescriptorPath(folder, name);
            witness.name = name;
        }
        set.files.push_back(textPath);
        set.files.push_back(descriptorPath);
        std::optional<std::vector<std::string>> lines;
        try {
            lines = LoadEditionText(textPath);
        } catch (const Error& e) {
            set.problem = e.what();
            return set;
        }
        if (!lines) {
            set.problem = "cannot open \"" + textPath + "\"";
            return set;
        }
        try {
            const EditionDescriptor descriptor = ReadEditionDescriptor(descriptorPath);
            witness.siglum = descriptor.siglum;
            witness.information = descriptor.information;
        } catch (const Error&) {
            // An unreadable descriptor only costs the siglum and description.
        }
        if (witness.siglum.empty())
            witness.siglum = witness.name;
        if (auto problem = UnicodeGreekProblem(witness.name, *lines)) {
            set.problem = *problem;
            return set;
        }
        if (!set.texts.empty()) {
            if (auto problem = LayoutProblem(set.witnesses.front().name, set.texts.front(), witness.name, *lines)) {
                set.problem = *problem;
                return set;
            }
        }
        set.witnesses.push_back(std::move(witness));
        set.lacunae.push_back(ReadLacunae(descriptorPath, *lines));
        set.texts.push_back(std::move(*lines));
    }
    return set;
}

EditionSet LoadCollatableEditions(const std::vector<std::string>& folders, const std::vector<std::string>& names,
                                  std::vector<std::string>& leftOut)
{
    EditionSet loaded;
    for (const std::string& name : names) {
        EditionSet one = LoadEditionSet(folders, {name});
        if (!one.problem.empty() || one.texts.size() != 1 || one.witnesses.size() != 1) {
            leftOut.push_back(name);
            continue;
        }
        loaded.witnesses.push_back(std::move(one.witnesses.front()));
        loaded.texts.push_back(std::move(one.texts.front()));
        loaded.lacunae.push_back(std::move(one.lacunae.front()));
    }
    size_t reference = 0;
    for (size_t i = 0; i < loaded.texts.size(); ++i)
        if (loaded.texts[i].size() == size_t(layout::kLineCount)) {
            reference = i;
            break;
        }
    EditionSet set;
    for (size_t i = 0; i < loaded.texts.size(); ++i) {
        if (LayoutProblem(loaded.witnesses[reference].name, loaded.texts[reference], loaded.witnesses[i].name,
                          loaded.texts[i])) {
            leftOut.push_back(loaded.witnesses[i].name);
            continue;
        }
        set.witnesses.push_back(loaded.witnesses[i]);
        set.texts.push_back(loaded.texts[i]);
        set.lacunae.push_back(loaded.lacunae[i]);
    }
    return set;
}

} // namespace synopter::collate
