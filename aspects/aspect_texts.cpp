// SPDX-License-Identifier: GPL-3.0-or-later
#include "aspects/aspect_texts.h"

#include <array>
#include <cstddef>
#include <utility>

namespace zodivane {
namespace {

// Each paragraph addresses the reader as "you" and uses plain printable
// ASCII, as the rest of the report does.
constexpr auto kNatureTexts = std::to_array<std::string_view>({
    // Conjunction
    "A conjunction joins two parts of you so closely that they act as one. Neither can work "
    "without colouring the other, and what they share becomes one of the loudest notes of your "
    "chart, for better or worse. Your task is to let each keep its own voice inside the "
    "partnership.",
    // Opposition
    "An opposition sets two parts of you facing each other across the chart. You tend to swing "
    "from one to the other, or to meet one of them first in other people before you own it "
    "yourself. Held with awareness, the pull becomes balance and a rare view of both sides.",
    // Trine
    "A trine lets two parts of you flow together with ease. What they share comes so naturally "
    "that you may take it for granted; the gift grows when you use it on purpose instead of "
    "simply leaning on it.",
    // Square
    "A square puts two parts of you at odds, each pushing against the other. The friction is "
    "uncomfortable, but it is also the engine of much of your effort: what you wrestle with here "
    "is what you build your strength on.",
    // Sextile
    "A sextile opens a friendly door between two parts of you. They cooperate readily once you "
    "take the first step, and the chances they bring reward a little initiative far more than "
    "waiting.",
});
static_assert(kNatureTexts.size() == kMajorAspectCount);

// One sentence per pair, in chart order: the Sun with the Moon to the
// Ascendant, then the Moon with Mercury to the Ascendant, and so on.
constexpr auto kPairTexts = std::to_array<std::string_view>({
    // Sun
    "Here your will meets your feelings: what you set out to do and what you need in order to "
    "feel at home.",
    "Here your sense of purpose meets your mind, and how you think shapes who you take yourself "
    "to be.",
    "Here your identity meets your affections, touching how you love, what you value and how "
    "much you like to be liked.",
    "Here your purpose meets your drive, setting how boldly you go after what you want.",
    "Here your purpose meets your hope, touching your confidence, your generosity and your "
    "appetite for more.",
    "Here your purpose meets your sense of duty, touching ambition, authority and the weight you "
    "carry.",
    "Here your identity meets your need for freedom, and the urge to be different is part of who "
    "you are.",
    "Here your identity meets your dreams, touching imagination, ideals and the edges of who you "
    "are.",
    "Here your will meets the deepest power in you, the urge to control, to renew and to "
    "transform.",
    "Here your central purpose meets the face you show the world, and how you come across "
    "expresses it.",
    // Moon
    "Here your feelings meet your thoughts, touching how easily you can name what you feel.",
    "Here your needs meet your affections, touching tenderness, comfort and the care you give "
    "and seek.",
    "Here your feelings meet your drive, touching temper, courage and how quickly you react.",
    "Here your feelings meet your optimism, touching emotional generosity and the need for room "
    "to grow.",
    "Here your feelings meet your sense of duty, touching reserve, self-protection and the "
    "security you build.",
    "Here your needs meet your wish for freedom, touching restlessness and sudden changes of "
    "mood.",
    "Here your feelings meet your dreams, touching sensitivity, empathy and a porous boundary "
    "with others.",
    "Here your feelings meet your intensity, touching deep attachments and the power of what "
    "you feel.",
    "Here your feelings meet the face you show, so your moods are easily seen by those around "
    "you.",
    // Mercury
    "Here your thinking meets your affections, touching a gift for kind words, charm and taste.",
    "Here your mind meets your drive, touching quick wit, sharp argument and a hasty tongue.",
    "Here your mind meets your hope, touching broad ideas, teaching and a talent for the big "
    "picture.",
    "Here your mind meets your discipline, touching careful thought, patience and the fear of "
    "being wrong.",
    "Here your mind meets your need for freedom, touching original ideas and sudden insight.",
    "Here your mind meets your imagination, touching intuition, fantasy and a wandering "
    "attention.",
    "Here your mind meets your intensity, touching the urge to dig beneath the surface of "
    "things.",
    "Here your mind meets the face you show, and you are often first met through what you say.",
    // Venus
    "Here your affections meet your desires, touching passion, attraction and the dance of "
    "pursuit.",
    "Here your affections meet your generosity, touching warmth, pleasure and a love of "
    "abundance.",
    "Here your affections meet your caution, touching loyalty, commitment and the fear of "
    "rejection.",
    "Here your affections meet your wish for freedom, touching unusual loves and a need for "
    "space.",
    "Here your affections meet your dreams, touching romance, devotion and the wish for an "
    "ideal.",
    "Here your affections meet your intensity, touching deep bonds, jealousy and love that "
    "changes you.",
    "Here your affections meet the face you show, giving you grace and an easy charm with "
    "others.",
    // Mars
    "Here your drive meets your hope, touching enterprise, enthusiasm and the wish to do things "
    "on a large scale.",
    "Here your drive meets your discipline, touching endurance, frustration and effort held in "
    "check.",
    "Here your drive meets your wish for freedom, touching daring, impatience and sudden "
    "action.",
    "Here your drive meets your dreams, touching inspired action and energy that can drift or "
    "scatter.",
    "Here your drive meets the deepest power in you, touching determination and a will that "
    "will not yield.",
    "Here your drive meets the face you show, and you come across as direct, active and ready "
    "to act.",
    // Jupiter
    "Here your hope meets your caution, touching the balance between growth and restraint.",
    "Here your hope meets your wish for freedom, touching lucky breaks and a taste for the new.",
    "Here your hope meets your dreams, touching faith, idealism and a generous heart.",
    "Here your hope meets your intensity, touching ambition on a grand scale and the pursuit of "
    "influence.",
    "Here your hope meets the face you show, and you come across as open, warm and encouraging.",
    // Saturn
    "Here your sense of duty meets your wish for freedom, touching the tension between old "
    "forms and new ones.",
    "Here your sense of duty meets your dreams, touching the work of giving ideals a solid "
    "shape.",
    "Here your sense of duty meets the deepest power in you, touching endurance, control and "
    "hard-won strength.",
    "Here your sense of duty meets the face you show, and you come across as serious, reserved "
    "and reliable.",
    // Uranus
    "Here your wish for freedom meets your dreams, a theme you share with everyone born in the "
    "same years.",
    "Here your wish for freedom meets the deepest power in you, a theme of your whole "
    "generation.",
    "Here your wish for freedom meets the face you show, and you come across as independent and "
    "unusual.",
    // Neptune
    "Here your dreams meet the deepest power in you, a slow theme that marks your whole "
    "generation.",
    "Here your dreams meet the face you show, and you come across as gentle, elusive or "
    "inspiring.",
    // Pluto
    "Here the deepest power in you meets the face you show, and you come across as intense and "
    "magnetic.",
});
static_assert(kPairTexts.size() == kPointPairCount);

/// The position of the pair (a, b), a < b, in the table above.
constexpr std::size_t PairIndex(int a, int b) noexcept {
  // Pairs before row a: (n - 1) + (n - 2) + ... + (n - a).
  const int before = a * kChartPointCount - a * (a + 1) / 2;
  return static_cast<std::size_t>(before + (b - a - 1));
}
static_assert(PairIndex(0, 1) == 0);
static_assert(PairIndex(1, 2) == kChartPointCount - 1);
static_assert(PairIndex(kChartPointCount - 2, kChartPointCount - 1) == kPointPairCount - 1);

}  // namespace

std::string_view AspectNatureText(AspectKind kind) noexcept {
  return IsMajor(kind) ? kNatureTexts[static_cast<std::size_t>(kind)] : std::string_view{};
}

std::string_view PairThemeText(ChartPoint a, ChartPoint b) noexcept {
  int first = static_cast<int>(a);
  int second = static_cast<int>(b);
  if (first > second) {
    std::swap(first, second);
  }
  if (first == second || first < 0 || second >= kChartPointCount) {
    return {};
  }
  return kPairTexts[PairIndex(first, second)];
}

}  // namespace zodivane
