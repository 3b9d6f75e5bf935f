#pragma once
// The pages' templates, each parsed once, and their rendering: every value is
// escaped (escapeHtml) unless a template says otherwise, and none does. The
// style sheet and the script are partials ({{> style}}, {{> script}}), so each
// page carries them inline.

#include <kainjow/mustache.hpp>

#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace calctutor::report {

using PageData = kainjow::mustache::data;

class PageTemplates {
public:
    PageTemplates();

    std::string render(std::string_view templateName, PageData data);

private:
    kainjow::mustache::mustache& find(std::string_view templateName);

    std::string m_style;
    std::string m_script;
    std::map<std::string, std::unique_ptr<kainjow::mustache::mustache>, std::less<>> m_templates;
};

} // namespace calctutor::report
