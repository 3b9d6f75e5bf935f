#include "report/html/PageTemplates.h"

#include "report/html/HtmlText.h"
#include "report/html/PageFiles.h"

#include <stdexcept>

namespace calctutor::report {

namespace {

constexpr std::string_view kTemplateEnding = ".mustache";

} // namespace

PageTemplates::PageTemplates() : PageTemplates(pageFiles()) {}

PageTemplates::PageTemplates(const std::vector<BuiltInFile>& files)
{
    for (const BuiltInFile& file : files) {
        if (file.name == "style.css") {
            m_style = std::string(file.bytes);
        } else if (file.name == "script.js") {
            m_script = std::string(file.bytes);
        } else if (file.name.ends_with(kTemplateEnding)) {
            auto parsed = std::make_unique<kainjow::mustache::mustache>(std::string(file.bytes));
            if (!parsed->is_valid())
                throw std::logic_error("page template " + std::string(file.name) + ": " + parsed->error_message());
            parsed->set_custom_escape([](const std::string& text) { return escapeHtml(text); });
            m_templates.emplace(file.name.substr(0, file.name.size() - kTemplateEnding.size()), std::move(parsed));
        }
    }
}

kainjow::mustache::mustache& PageTemplates::find(std::string_view templateName)
{
    auto found = m_templates.find(templateName);
    if (found == m_templates.end())
        throw std::logic_error("no page template " + std::string(templateName));
    return *found->second;
}

std::string PageTemplates::render(std::string_view templateName, PageData data)
{
    const std::string& style = m_style;
    const std::string& script = m_script;
    data.set("style", kainjow::mustache::partial([&style] { return style; }));
    data.set("script", kainjow::mustache::partial([&script] { return script; }));
    return find(templateName).render(data);
}

} // namespace calctutor::report
