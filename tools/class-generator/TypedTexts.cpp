#include "TypedTexts.h"

#include "core/Windows1252.h"
#include "records/RecordEntries.h"

#include <stdexcept>
#include <vector>

namespace calctutor::classgen {

namespace {

// Written here in UTF-8; every character must have a Windows-1252 code.
std::string cp1252(std::string_view utf8)
{
    Encoded1252 encoded = utf8ToWindows1252(utf8);
    if (!encoded.ok())
        throw std::logic_error("not a Windows-1252 text: " + std::string(utf8));
    return encoded.text;
}

const std::vector<std::string> kOpenings = {
    "The average rate is the change in depth divided by the change in clock time",
    "I found the slope between the two points",
    "The depth changes by {n} cm in {m} seconds",
    "Dividing {n} by {m} gives the rate",
    "The graph falls less steeply as time goes on",
    "Using the chain rule, the derivative is {n} t^{m}",
    "The tangent line at t = {m} has slope -{n}",
    "The income stream is worth about {n} dollars after {m} years",
    "The rate of change is {n}.{m} cm/s",
    "I think the answer is {n}",
    "It’s the same as the previous question, just with {m} instead of {n}",
    "My naïve estimate was {n}, then I refined it",
    "The café example shows the price rising by {n} € a month",
    "Über {m} seconds the depth dropped {n} cm",
    "Using the power rule: f ' (x) = {m} x^{n}",
    "The antiderivative is {n} t - {m} t^2 / 2 + c",
    "At {n}°C the rate is ½ of the earlier one",
    "The differential dy = {m} dx gives a change of about 0.{n}",
};

const std::vector<std::string> kEndings = {
    ".",
    ", so the units are cm/s.",
    ", which matches the graph.",
    "; I’m not sure about the sign.",
    " (see my sketch).",
    ", i.e. roughly {n}.",
    "...",
    " – or so I believe.",
    ", “approximately”.",
};

const std::vector<std::string> kCritiques = {
    "OK",
    "ok",
    "I got it right.",
    "I forgot the units.",
    "I had the sign wrong: the depth is decreasing, so the rate is negative.",
    "My answer matches the given solution.",
    "I divided the wrong way round; it should be change in depth over change in time.",
    "Didn’t see that the intervals had to shrink. Now I do.",
    "Question for the instructor: why do we average the slopes at the two ends?",
    "I used {n} instead of {m}, otherwise the same.",
    "Très bien, I understood this one.",
    "Got confused by the notation f '(x); now clear.",
    "",
};

const std::vector<std::string> kNotes = {
    "Ask about the chain rule in class.",
    "Review the definition of average rate before the test.",
    "The graph on page {n} helped.",
    "Remember: rate = slope of the depth-vs-time graph.",
    "Come back to this question; I’m stuck.",
    "Müller’s notes from class cover this.",
    "Need to practise implicit differentiation, see problems {n}–{m}.",
};

const std::vector<std::pair<std::string, int>> kConfidence = {
    {"3", 30}, {"2", 30}, {"1", 15}, {"0", 8},  {"", 5},    {"2.5", 3}, {"sure", 2},
    {"3 ", 1}, {" 2", 1}, {"-1", 1}, {"10", 1}, {"2/3", 1}, {"sûr", 1},
};

const std::vector<std::pair<std::string, int>> kSelfCritique = {
    {"3", 35}, {"2", 25}, {"1", 15}, {"0", 8}, {"", 6},   {"2.5", 2},
    {"ok", 2}, {"3 ", 1}, {"-", 1},  {"4", 1}, {"=3", 1}, {"très bien", 1},
};

} // namespace

std::string TypedTexts::sentence()
{
    std::string text = m_dice.pick(kOpenings) + m_dice.pick(kEndings);
    for (std::size_t at = text.find('{'); at != std::string::npos; at = text.find('{', at)) {
        const std::size_t close = text.find('}', at);
        const std::string value = std::to_string(text[at + 1] == 'n' ? m_dice.between(2, 120) : m_dice.between(1, 9));
        text.replace(at, close - at + 1, value);
        at += value.size();
    }
    return cp1252(text);
}

std::string TypedTexts::paragraph(int sentences)
{
    std::string text;
    for (int i = 0; i < sentences; ++i)
        text.append(i == 0 ? "" : " ").append(sentence());
    return text;
}

std::string TypedTexts::awkwardLine()
{
    switch (m_dice.below(9)) {
    case 0: return std::string(kClosingLine);
    case 1: return std::string(kOpeningLine);
    // std::string first: GCC 12 at -O3 wrongly warns (-Wrestrict) about "literal" + std::string.
    case 2: return std::string("-").append(std::to_string(m_dice.between(1, 9))).append(".5 cm/s");
    case 3: return std::string("=").append(std::to_string(m_dice.between(2, 9))).append("*t");
    case 4: return std::string("+").append(std::to_string(m_dice.between(1, 40))).append(" dollars");
    case 5: return std::string("@ t = ").append(std::to_string(m_dice.between(1, 99)));
    case 6: return "\tindented with a tab";
    case 7: return cp1252("He said \"about 3, maybe 4\", and I agreed, mostly.");
    default: return cp1252("•  dy/dx = 3x² - 1");
    }
}

std::string TypedTexts::answer()
{
    const std::uint64_t shape = m_dice.below(100);
    if (shape < 2)
        return "";
    if (shape < 10)
        return awkwardLine() + "\r\n" + paragraph(m_dice.between(1, 2));
    if (shape < 18)
        return paragraph(2) + "\r\n" + awkwardLine() + "\r\n" + paragraph(1);
    if (shape < 20)
        return paragraph(1) + "\r\n";
    if (shape < 30) {
        std::string text;
        for (int i = 0, paragraphs = m_dice.between(3, 6); i < paragraphs; ++i)
            text += (i == 0 ? "" : "\r\n\r\n") + paragraph(m_dice.between(2, 5));
        return text;
    }
    if (shape < 40)
        return paragraph(1) + "\r\n" + paragraph(2);
    return paragraph(m_dice.between(1, 3));
}

std::string TypedTexts::critique()
{
    std::string text = cp1252(m_dice.pick(kCritiques));
    for (std::size_t at = text.find('{'); at != std::string::npos; at = text.find('{', at))
        text.replace(at, 3, std::to_string(m_dice.between(1, 50)));
    if (m_dice.chance(0.05))
        text += "\r\n" + awkwardLine();
    if (m_dice.chance(0.2))
        text += (text.empty() ? "" : "\r\n") + paragraph(1);
    return text;
}

std::string TypedTexts::note()
{
    std::string text = cp1252(m_dice.pick(kNotes));
    for (std::size_t at = text.find('{'); at != std::string::npos; at = text.find('{', at))
        text.replace(at, 3, std::to_string(m_dice.between(1, 50)));
    if (m_dice.chance(0.15))
        text += "\r\n" + awkwardLine();
    return text;
}

std::string TypedTexts::confidence()
{
    return cp1252(m_dice.weighted(kConfidence));
}

std::string TypedTexts::selfCritiqueRating()
{
    return cp1252(m_dice.weighted(kSelfCritique));
}

} // namespace calctutor::classgen
