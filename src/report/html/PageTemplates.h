#pragma once
// The pages' templates, each parsed once, and their rendering: every value is
// escaped (escapeHtml) unless a template says otherwise, and none does. The
// style sheet and the script are partials ({{> style}}, {{> script}}), so each
// page carries them inline.

#include "script/BuiltInFiles.h"

#include <kainjow/mustache.hpp>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace calctutor::report {

using PageData = kainjow::mustache::data;

// kainjow's data copies every value it is given, and a page's values nest
// four deep, so a student's texts would be copied once per level. These put
// an empty value in place and move the real one into it instead (the values
// are not const objects; kainjow only hands out const references to them).
inline void setMoved(PageData& object, const std::string& name, PageData&& value)
{
    object.set(name, PageData());
    const_cast<PageData&>(*object.get(name)) = std::move(value);
}
inline void appendMoved(PageData& list, PageData&& value)
{
    list.push_back(PageData());
    const_cast<PageData&>(list.list_value().back()) = std::move(value);
}

class PageTemplates {
public:
    PageTemplates();
    // Other templates than the program's, for tests.
    explicit PageTemplates(const std::vector<BuiltInFile>& files);

    std::string render(std::string_view templateName, PageData data);

private:
    kainjow::mustache::mustache& find(std::string_view templateName);

    std::string m_style;
    std::string m_script;
    std::map<std::string, std::unique_ptr<kainjow::mustache::mustache>, std::less<>> m_templates;
};

} // namespace calctutor::report
