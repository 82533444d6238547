#include "Arguments.h"
#include "Commands.h"

#include "cards/Cards.h"
#include "core/Error.h"
#include "core/FileIo.h"
#include "prefs/DataFolder.h"
#include "render/PaintEngine.h"

#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFileInfo>

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cctype>
#include <ostream>

namespace drawmentor::cli {
namespace {

const QColor kTable(0, 96, 56);
constexpr int kGap = 6;

// One card word of the command line: a face, a joker (rank -1) or the back.
struct TCardArgument {
    int Rank = -1;
    int Suit = -1;
    bool Back = false;
};

void Paint(TPaintEngine& engine, QPainter& painter, int x, int y, const TCardArgument& card,
           bool held, bool wild) {
    const QRect rect(x, y, engine.CardWidth, engine.CardHeight);
    if (card.Back)
        engine.DrawBack(painter, rect);
    else
        engine.DrawCard(painter, rect, held, wild || card.Rank < 0, card.Suit, card.Rank);
}

QImage Canvas(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kTable);
    return image;
}

// Every face of the deck, suit by suit, then the jokers and a wild deuce,
// held cards, and the fifteen backs.
QImage ContactSheet(TPaintEngine& engine) {
    const int w = engine.CardWidth + kGap, h = engine.CardHeight + kGap;
    QImage sheet = Canvas(15 * w + kGap, 7 * h + kGap);
    QPainter painter(&sheet);
    for (int suit = 0; suit < 4; ++suit)
        for (int rank = 0; rank < 13; ++rank)
            Paint(engine, painter, kGap + rank * w, kGap + suit * h, {rank, suit, false}, false,
                  false);
    const int row = kGap + 4 * h;
    Paint(engine, painter, kGap, row, {-1, -1, false}, false, true);
    Paint(engine, painter, kGap + w, row, {-1, -1, false}, true, true);
    Paint(engine, painter, kGap + 2 * w, row, {0, 3, false}, false, true);
    Paint(engine, painter, kGap + 3 * w, row, {0, 0, false}, true, true);
    for (int i = 0; i < 5; ++i)
        Paint(engine, painter, kGap + (5 + i) * w, row, {8 + i, 2, false}, true, false);
    for (int back = 0; back < 15; ++back) {
        engine.SetBackIndex(back);
        const int x = kGap + (back % 8) * w, y = kGap + (5 + back / 8) * h;
        Paint(engine, painter, x, y, {-1, -1, true}, false, false);
    }
    return sheet;
}

// The deck codes installed beside the program, in code order.
std::string InstalledDecks() {
    std::string list;
    const QDir folder(ProgramFolder() + QStringLiteral("data"));
    for (const QString& name :
         folder.entryList({QStringLiteral("deck.*")}, QDir::Files, QDir::Name))
        list += (list.empty() ? "" : ", ") + name.mid(5).toStdString();
    return list.empty() ? "none" : list;
}

} // namespace

int RunRender(const std::vector<std::string>& given, std::ostream& out) {
    std::vector<std::string> words;
    for (const auto& word : given) words.push_back(word == "-o" ? "--output" : word);
    const TArguments args(words, {"deck", "back", "output"}, {"held", "wild", "sheet"});
    if (!args.Has("output")) throw EUsage("render needs -o FILE.png");
    const std::string output = *args.Value("output");
    const int back = args.Int("back", 0, 0, 14);
    std::vector<TCardArgument> cards;
    for (const auto& word : args.Positional()) {
        if (word == "BACK" || word == "back") {
            cards.push_back({-1, -1, true});
            continue;
        }
        const auto card = ParseCardText(word);
        if (!card) throw EUsage("unknown card '" + word + "'");
        cards.push_back({card->Rank, card->Suit, false});
    }
    if (args.Flag("sheet") != cards.empty())
        throw EUsage(args.Flag("sheet") ? "--sheet takes no cards"
                                        : "render needs cards or --sheet");

    // The trainer falls back to deck 001 for a deck that has gone; a script
    // asking for a deck by name wants to hear that it is not there.
    const std::string deck = args.Value("deck").value_or("001");
    const bool plain = !deck.empty() && std::all_of(deck.begin(), deck.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c));
    });
    if (!plain || !QFileInfo::exists(ProgramFolder() + QStringLiteral("data/deck.") +
                                     QString::fromStdString(deck)))
        throw EUsage("deck '" + deck + "' is not installed (installed: " + InstalledDecks() + ")");
    TPaintEngine engine;
    engine.LoadDeck(QString::fromStdString(deck));
    engine.SetBackIndex(back);
    QImage image;
    if (args.Flag("sheet")) {
        image = ContactSheet(engine);
    } else {
        const int w = engine.CardWidth + kGap;
        image = Canvas(static_cast<int>(cards.size()) * w + kGap, engine.CardHeight + 2 * kGap);
        QPainter painter(&image);
        for (size_t i = 0; i < cards.size(); ++i)
            Paint(engine, painter, kGap + static_cast<int>(i) * w, kGap, cards[i],
                  args.Flag("held"), args.Flag("wild"));
    }
    // Encoded whole first and saved atomically: a full disk must neither leave
    // a cut picture nor spoil the one that was there.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) throw EDrawMentor("cannot encode the picture for " + output);
    WriteFileAtomically(output, std::string_view(png.constData(), static_cast<size_t>(png.size())));
    out << output << ": " << image.width() << " x " << image.height() << ", deck "
        << engine.DeckCode.toStdString() << '\n';
    return 0;
}

} // namespace drawmentor::cli
