// Makes the reading test's questions: sentences and their phrases from the passage, a pool of
// its phrases by last character to draw replacements from, and one question per stretch.
#include "readingtest/question_maker.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "common/sjis.h"
#include "reading/phrase_rows.h"
#include "readingtest/sentence_spans.h"

namespace tavori {

namespace {

// 読んだ文章にあった文はどれですか。
constexpr std::string_view kAppearedPrompt =
    "\x93\xC7\x82\xF1\x82\xBE\x95\xB6\x8F\xCD\x82\xC9\x82\xA0\x82\xC1\x82\xBD\x95\xB6\x82\xCD\x82\xC7\x82\xEA"
    "\x82\xC5\x82\xB7\x82\xA9\x81\x42";
// （　　）
constexpr std::string_view kBlank = "\x81\x69\x81\x40\x81\x40\x81\x6A";

// A prompt or choice is shown in one row of the answer screen, which holds 40 characters.
constexpr int kMostCharactersShown = 40;
// Shorter sentences (headings, 「はい。」) say too little to ask about.
constexpr int kFewestCharactersAsked = 8;
// Alternatives within this many characters of the phrase they stand for do not give it away by length.
constexpr int kSimilarLength = 2;

std::uint16_t codeAt(std::string_view text, std::size_t position) {
    const auto lead = static_cast<unsigned char>(text[position]);
    if (characterWidthAt(text, position) == 1) {
        return lead;
    }
    return static_cast<std::uint16_t>((lead << 8) | static_cast<unsigned char>(text[position + 1]));
}

int characterCount(std::string_view text) {
    int count = 0;
    for (std::size_t position = 0; position < text.size(); position += characterWidthAt(text, position)) {
        ++count;
    }
    return count;
}

// A kanji: a double-byte character whose lead byte is in JIS level 1 or 2 (0x88–0x9F, 0xE0–0xEA).
bool isKanjiAt(std::string_view text, std::size_t position) {
    const auto lead = static_cast<unsigned char>(text[position]);
    return characterWidthAt(text, position) == 2 && ((lead >= 0x88 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xEA));
}

// What frames a phrase rather than belongs to it: spaces, brackets, 、。！？ and dashes and dots
// (―…‥), with their half-width and ASCII forms. A replacement keeps the frame in place.
bool isFrameAt(std::string_view text, std::size_t position) {
    switch (codeAt(text, position)) {
        case ' ': case '\t': case ',': case '.': case '!': case '?': case ')': case ']': case '}':
        case 0xA1: case 0xA3: case 0xA4:
        case 0x8140: case 0x8141: case 0x8142: case 0x8143: case 0x8144: case 0x8148: case 0x8149:
        case 0x815C: case 0x8163: case 0x8164:
        case 0x816A: case 0x816C: case 0x816E: case 0x8170: case 0x8172: case 0x8174: case 0x8176: case 0x8178: case 0x817A:
            return true;
        default:
            return mayNotEndRow(text, position);
    }
}

// A phrase without its frame, in passage bytes.
struct Phrase {
    std::size_t start = 0;
    std::size_t end = 0;
    int characters = 0;
    bool holdsKanji = false;
    std::uint16_t lastCode = 0;
};

struct Sentence {
    SentenceSpan span;
    int characters = 0;
    int rawPhrases = 0;             // phrases as segmented, frames and all
    std::size_t firstCharacter = 0;  // the passage's character index of its start
    std::vector<Phrase> phrases;     // those with something besides their frame
    bool asked = false;              // used by a question, or found unable to give one
};

// The phrase [start, end) of `passage` without its frame. characters is 0 when all of it is
// frame, and when frame stands inside it (「晴れ」と): replacing that would tear a bracket pair.
Phrase phraseCore(std::string_view passage, std::size_t start, std::size_t end) {
    Phrase phrase;
    bool inside = false;
    bool frameInside = false;
    bool torn = false;
    for (std::size_t position = start; position < end; position += characterWidthAt(passage, position)) {
        if (isFrameAt(passage, position)) {
            frameInside = inside;
            continue;
        }
        torn = torn || frameInside;
        if (!inside) {
            inside = true;
            phrase.start = position;
        }
        ++phrase.characters;
        phrase.end = position + characterWidthAt(passage, position);
        phrase.lastCode = codeAt(passage, position);
        phrase.holdsKanji = phrase.holdsKanji || isKanjiAt(passage, position);
    }
    if (torn) {
        phrase.characters = 0;
    }
    return phrase;
}

// The passage's sentences with their phrases, each sentence's start as a character index, and
// the passage's characters in `totalCharacters`.
std::vector<Sentence> sentencesOf(std::string_view passage, std::span<const std::size_t> phraseStarts, int& totalCharacters) {
    std::vector<Sentence> sentences;
    for (const SentenceSpan& span : sentenceSpans(passage)) {
        sentences.push_back({span, 0, 0, 0, {}, false});
    }
    totalCharacters = 0;
    auto sentence = sentences.begin();
    for (std::size_t position = 0; position < passage.size(); position += characterWidthAt(passage, position)) {
        if (sentence != sentences.end() && sentence->span.start == position) {
            sentence++->firstCharacter = static_cast<std::size_t>(totalCharacters);
        }
        ++totalCharacters;
    }
    std::size_t nextStart = 0;  // index into phraseStarts
    for (Sentence& each : sentences) {
        const SentenceSpan span = each.span;
        std::size_t phraseStart = span.start;
        // Walked a character at a time, so a phrase start inside a character is passed over.
        for (std::size_t position = span.start; position < span.end; position += characterWidthAt(passage, position)) {
            while (nextStart < phraseStarts.size() && phraseStarts[nextStart] < position) {
                ++nextStart;
            }
            if (position > span.start && nextStart < phraseStarts.size() && phraseStarts[nextStart] == position) {
                each.phrases.push_back(phraseCore(passage, phraseStart, position));
                ++each.rawPhrases;
                phraseStart = position;
            }
            ++each.characters;
        }
        each.phrases.push_back(phraseCore(passage, phraseStart, span.end));
        ++each.rawPhrases;
        std::erase_if(each.phrases, [](const Phrase& phrase) { return phrase.characters == 0; });
    }
    return sentences;
}

struct Context {
    std::string_view passage;
    // Each distinct phrase text once, by its last character.
    std::unordered_map<std::uint16_t, std::vector<Phrase>> phrasesByLast;
};

std::string_view textOf(std::string_view passage, const Phrase& phrase) {
    return passage.substr(phrase.start, phrase.end - phrase.start);
}

// Up to two texts of phrases ending like `original` that differ from it and pass `fits`: drawn
// at random among those of similar length and the same kanji or kana make-up first, then among
// those of similar length, then among the rest.
template <typename Fits>
std::vector<std::string_view> drawAlternatives(const Context& context, const Phrase& original, RandomGenerator& random,
                                               Fits fits) {
    std::vector<std::string_view> drawn;
    const auto found = context.phrasesByLast.find(original.lastCode);
    if (found == context.phrasesByLast.end()) {
        return drawn;
    }
    const std::string_view originalText = textOf(context.passage, original);
    std::array<std::vector<std::string_view>, 3> tiers;
    for (const Phrase& candidate : found->second) {
        const std::string_view text = textOf(context.passage, candidate);
        if (text == originalText) {
            continue;
        }
        const bool similar = std::abs(candidate.characters - original.characters) <= kSimilarLength;
        tiers[similar ? (candidate.holdsKanji == original.holdsKanji ? 0 : 1) : 2].push_back(text);
    }
    for (auto& tier : tiers) {
        while (drawn.size() < 2 && !tier.empty()) {
            const auto index = static_cast<std::size_t>(random.below(static_cast<int>(tier.size())));
            const std::string_view text = tier[index];
            tier[index] = tier.back();
            tier.pop_back();
            if (fits(text)) {
                drawn.push_back(text);
            }
        }
    }
    return drawn;
}

TestQuestion assemble(QuestionKind kind, std::string prompt, std::string right, std::string first, std::string second,
                      const Sentence& sentence, RandomGenerator& random) {
    TestQuestion question{kind, std::move(prompt), {}, random.below(3), sentence.span.start, sentence.span.end};
    std::array<std::string*, 2> others = {&first, &second};
    for (int row = 0, other = 0; row < 3; ++row) {
        question.choices[static_cast<std::size_t>(row)] = row == question.answer ? std::move(right) : std::move(*others[static_cast<std::size_t>(other++)]);
    }
    return question;
}

bool occursIn(std::string_view text, std::string_view part) {
    return findAtCharacter(text, part) != std::string_view::npos;
}

bool occursTwice(std::string_view text, std::string_view part) {
    const std::size_t first = findAtCharacter(text, part);
    return first != std::string_view::npos && findAtCharacter(text, part, first + characterWidthAt(text, first)) != std::string_view::npos;
}

// A question of `kind` about `sentence`, trying its phrases in a drawn order; none when no phrase
// can give one.
std::optional<TestQuestion> questionAbout(const Context& context, const Sentence& sentence, QuestionKind kind,
                                          RandomGenerator& random) {
    std::vector<const Phrase*> order;
    for (const Phrase& phrase : sentence.phrases) {
        if (kind == QuestionKind::Appeared || phrase.holdsKanji) {
            order.push_back(&phrase);
        }
    }
    for (std::size_t index = order.size(); index > 1; --index) {
        std::swap(order[index - 1], order[static_cast<std::size_t>(random.below(static_cast<int>(index)))]);
    }
    // A phrase of content (one holding a kanji) makes a better change to spot than a particle's.
    std::stable_partition(order.begin(), order.end(), [](const Phrase* phrase) { return phrase->holdsKanji; });

    const std::string_view passage = context.passage;
    const std::string_view sentenceText = passage.substr(sentence.span.start, sentence.span.end - sentence.span.start);
    // A passage may quote the question itself (文はどれですか。).
    if (kind == QuestionKind::Appeared && occursIn(kAppearedPrompt, sentenceText)) {
        return std::nullopt;
    }
    for (const Phrase* phrase : order) {
        const std::string_view text = textOf(passage, *phrase);
        if (occursTwice(sentenceText, text)) {
            continue;
        }
        const std::string_view before = passage.substr(sentence.span.start, phrase->start - sentence.span.start);
        const std::string_view after = passage.substr(phrase->end, sentence.span.end - phrase->end);
        const auto with = [&](std::string_view middle) {
            std::string whole(before);
            whole.append(middle).append(after);
            return whole;
        };
        if (kind == QuestionKind::Cloze) {
            std::string prompt = with(kBlank);
            // The answer elsewhere in the prompt would give it away; an alternative there would
            // give itself away.
            if (characterCount(prompt) > kMostCharactersShown || occursIn(prompt, text)) {
                continue;
            }
            const auto alternatives = drawAlternatives(context, *phrase, random,
                                                       [&](std::string_view alternative) { return !occursIn(prompt, alternative); });
            if (alternatives.size() == 2) {
                return assemble(kind, std::move(prompt), std::string(text), std::string(alternatives[0]),
                                std::string(alternatives[1]), sentence, random);
            }
        } else {
            // A copy that is itself somewhere in the passage would be a second right answer; one
            // that repeats a phrase of the sentence reads as a slip, not as a sentence.
            const auto alternatives = drawAlternatives(context, *phrase, random, [&](std::string_view alternative) {
                const std::string copy = with(alternative);
                return characterCount(copy) <= kMostCharactersShown && !occursIn(sentenceText, alternative) &&
                       !occursIn(passage, copy);
            });
            if (alternatives.size() == 2) {
                return assemble(kind, std::string(kAppearedPrompt), std::string(sentenceText), with(alternatives[0]),
                                with(alternatives[1]), sentence, random);
            }
        }
    }
    return std::nullopt;
}

QuestionKind otherKind(QuestionKind kind) {
    return kind == QuestionKind::Appeared ? QuestionKind::Cloze : QuestionKind::Appeared;
}

// A question about the first of `candidates` that gives one, of `preferred` kind on any of them
// before the other kind (each sentence in turn when `eachInTurn`, so the nearest one wins).
// A sentence that can give neither kind is marked asked: it never will.
std::optional<TestQuestion> questionAboutAny(const Context& context, std::span<Sentence* const> candidates,
                                             QuestionKind preferred, bool eachInTurn, RandomGenerator& random) {
    // A failure of one kind leaves the sentence to the other.
    const auto tryKind = [&](Sentence& sentence, QuestionKind kind) {
        std::optional<TestQuestion> question = questionAbout(context, sentence, kind, random);
        sentence.asked = question.has_value();
        return question;
    };
    if (eachInTurn) {
        for (Sentence* sentence : candidates) {
            if (auto question = tryKind(*sentence, preferred)) return question;
            if (auto question = tryKind(*sentence, otherKind(preferred))) return question;
            sentence->asked = true;
        }
        return std::nullopt;
    }
    for (Sentence* sentence : candidates) {
        if (auto question = tryKind(*sentence, preferred)) return question;
    }
    for (Sentence* sentence : candidates) {
        if (auto question = tryKind(*sentence, otherKind(preferred))) return question;
        sentence->asked = true;
    }
    return std::nullopt;
}

}  // namespace

std::vector<TestQuestion> makeQuestions(std::string_view passage, std::span<const std::size_t> phraseStarts, int count,
                                        RandomGenerator& random) {
    std::vector<TestQuestion> questions;
    int totalCharacters = 0;
    std::vector<Sentence> sentences = sentencesOf(passage, phraseStarts, totalCharacters);
    if (count <= 0 || totalCharacters == 0) {
        return questions;
    }
    Context context{passage, {}};
    std::unordered_set<std::string_view> seen;
    for (Sentence& sentence : sentences) {
        for (const Phrase& phrase : sentence.phrases) {
            if (seen.insert(textOf(passage, phrase)).second) {
                context.phrasesByLast[phrase.lastCode].push_back(phrase);
            }
        }
        sentence.asked = sentence.characters < kFewestCharactersAsked || sentence.characters > kMostCharactersShown ||
                         sentence.rawPhrases < 2 || sentence.phrases.empty();
    }

    QuestionKind kind = random.below(2) == 0 ? QuestionKind::Appeared : QuestionKind::Cloze;
    const auto total = static_cast<std::uint64_t>(totalCharacters);
    for (int stretch = 0; stretch < count; ++stretch) {
        // Character i is in stretch i * count / total: the stretch runs from the first character
        // at or past stretch * total / count up to the next one's.
        const auto firstOf = [&](int which) {
            const auto parts = static_cast<std::uint64_t>(count);
            return (total * static_cast<std::uint64_t>(which) + parts - 1) / parts;
        };
        const std::uint64_t begin = firstOf(stretch);
        const std::uint64_t end = firstOf(stretch + 1);
        std::vector<Sentence*> inside, outside;
        for (Sentence& sentence : sentences) {
            if (!sentence.asked) {
                (sentence.firstCharacter >= begin && sentence.firstCharacter < end ? inside : outside).push_back(&sentence);
            }
        }
        if (inside.empty() && outside.empty()) {
            break;
        }
        for (std::size_t index = inside.size(); index > 1; --index) {
            std::swap(inside[index - 1], inside[static_cast<std::size_t>(random.below(static_cast<int>(index)))]);
        }
        std::optional<TestQuestion> question = questionAboutAny(context, inside, kind, false, random);
        if (!question) {
            const auto distance = [&](const Sentence* sentence) {
                return sentence->firstCharacter < begin ? begin - sentence->firstCharacter : sentence->firstCharacter - end;
            };
            std::stable_sort(outside.begin(), outside.end(),
                             [&](const Sentence* a, const Sentence* b) { return distance(a) < distance(b); });
            question = questionAboutAny(context, outside, kind, true, random);
        }
        if (question) {
            kind = otherKind(question->kind);
            questions.push_back(std::move(*question));
        }
    }
    std::sort(questions.begin(), questions.end(),
              [](const TestQuestion& a, const TestQuestion& b) { return a.sentenceStart < b.sentenceStart; });
    return questions;
}

}  // namespace tavori
