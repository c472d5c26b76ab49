#include "CheckMessages.h"

#include <array>
#include <utility>

namespace dv {

namespace {

struct Texts {
    FindingKind kind;
    const char* english;
    const char* swedish;
};

// %1, %2 are the finding's arguments in order.
constexpr std::array kTexts{
    Texts{FindingKind::SectionPageMissing, "the page of the hot-spot %1 does not exist (%2)",
          "sidan som hot-spoten %1 leder till finns inte (%2)"},
    Texts{FindingKind::PageUnreadable, "the page cannot be read: %1", "sidan kan inte läsas: %1"},
    Texts{FindingKind::PageTooLarge, "the page is %1 bytes, more than the bound of %2",
          "sidan är %1 byte, mer än gränsen %2"},
    Texts{FindingKind::PageLinkMissing, "links to %1, which is not on the disc",
          "länkar till %1, som inte finns på skivan"},
    Texts{FindingKind::PageLinkWrongCase,
          "links to %1, which is on the disc only as %2: the browser on Linux matches letter case "
          "exactly",
          "länkar till %1, som bara finns som %2 på skivan: webbläsaren i Linux skiljer på stora "
          "och små bokstäver"},
    Texts{FindingKind::PageLinkOutsideDisc, "links to %1, which lies outside the disc",
          "länkar till %1, som ligger utanför skivan"},
    Texts{FindingKind::PageWebFrame,
          "shows the web page %1 in a frame: on Windows the page's command links stop working once "
          "it has loaded, because a web page in a frame could run them",
          "visar webbsidan %1 i en ram: i Windows slutar sidans kommandolänkar fungera när den har "
          "laddats, eftersom en webbsida i en ram skulle kunna köra dem"},
    Texts{FindingKind::CommandUnknownVerb,
          "the command link \"%1\" has no verb the program knows (EXECUTE=, QUIT, MINIMIZE, "
          "SHOWINETSETTINGS): a click does nothing",
          "kommandolänken \"%1\" har inget verb som programmet känner (EXECUTE=, QUIT, MINIMIZE, "
          "SHOWINETSETTINGS): ett klick gör ingenting"},
    Texts{FindingKind::CommandWithoutTarget, "the command link \"%1\" names nothing to start",
          "kommandolänken \"%1\" anger inget att starta"},
    Texts{FindingKind::CommandTargetMissing, "the command link's target %1 is not on the disc",
          "kommandolänkens mål %1 finns inte på skivan"},
    Texts{FindingKind::CommandTargetCutAtBlank,
          "the command link's target %1 is cut at its first blank, so the program would start %2, "
          "which is not on the disc: put a path that holds blanks in apostrophes ('<thisdir>\\mapp "
          "med blanksteg\\fil.exe' parameters)",
          "kommandolänkens mål %1 kapas vid första blanksteget, så programmet skulle starta %2, "
          "som inte finns på skivan: sätt en sökväg med blanksteg inom apostrofer "
          "('<thisdir>\\mapp med blanksteg\\fil.exe' parametrar)"},
    Texts{FindingKind::CommandTargetOffDisc,
          "the command link's target %1 is not on the disc: write it from <thisdir>",
          "kommandolänkens mål %1 ligger inte på skivan: skriv det från <thisdir>"},
    Texts{FindingKind::CommandTargetRelative,
          "the command link's target %1 does not begin with <thisdir>: it is found from the folder "
          "the program was started in",
          "kommandolänkens mål %1 börjar inte med <thisdir>: det söks från mappen som programmet "
          "startades i"},
    Texts{FindingKind::CommandWindowsProgram,
          "%1 is a Windows program: readers on Linux cannot start it",
          "%1 är ett Windowsprogram: läsare med Linux kan inte starta det"},
    Texts{FindingKind::CommandNotAProgram,
          "%1 is named as a program but is none (neither an ELF program nor a script with #!): it "
          "opens as a document",
          "%1 heter som ett program men är inget (varken ett ELF-program eller ett skript med #!): "
          "det öppnas som ett dokument"},
    Texts{FindingKind::CommandDocumentWithParameters,
          "%1 is a document, not a program: the parameters %2 are not passed on",
          "%1 är ett dokument, inte ett program: parametrarna %2 förs inte vidare"},
    Texts{FindingKind::ProgramListUnreadable,
          "the program list cannot be read: the file search says \"Kunde inte ladda in "
          "programlistan! Kan därför inte söka.\"",
          "programlistan kan inte läsas: filsökningen säger \"Kunde inte ladda in programlistan! "
          "Kan därför inte söka.\""},
    Texts{FindingKind::ProgramListEmpty, "the program list holds no line: a search finds nothing",
          "programlistan har inga rader: en sökning hittar ingenting"},
    Texts{FindingKind::ProgramListLineWithoutColumns,
          "the line is not \"disc TAB program TAB file\": it shows with no disc and no program",
          "raden är inte \"skiva TAB program TAB fil\": den visas utan skiva och program"},
    Texts{FindingKind::CurrentDiscUnknown,
          "no current disc is named (a missing file or an empty first line): \"Denna skiva\" "
          "cannot be chosen",
          "ingen aktuell skiva anges (filen saknas eller första raden är tom): \"Denna skiva\" går "
          "inte att välja"},
    Texts{FindingKind::CurrentDiscNotListed,
          "the current disc \"%1\" occurs in no line of the program list: a search of this disc "
          "finds nothing",
          "den aktuella skivan \"%1\" finns inte på någon rad i programlistan: en sökning på denna "
          "skiva hittar ingenting"},
    Texts{FindingKind::NoTrack, "%1 holds no MP3 track: the player stays empty",
          "%1 innehåller inget MP3-spår: spelaren förblir tom"},
    Texts{FindingKind::TrackUnreadable, "the track cannot be read: %1",
          "spåret kan inte läsas: %1"},
    Texts{FindingKind::TrackWithoutTag,
          "the track has no ID3v1 tag with an artist or a title: the title line says only "
          "\"Månadens MP3: \"",
          "spåret har ingen ID3v1-tagg med artist eller titel: titelraden säger bara \"Månadens "
          "MP3: \""},
    Texts{FindingKind::SeveralTracks,
          "%1 MP3 tracks: the player plays the one the system lists first, here %2, which may "
          "differ elsewhere",
          "%1 MP3-spår: spelaren spelar det som systemet listar först, här %2, vilket kan bli ett "
          "annat på en annan dator"},
    Texts{FindingKind::HiddenScreenFilmMissing, "the hidden screen's film is not on the disc",
          "den dolda skärmens film finns inte på skivan"},
    Texts{FindingKind::DiscLink,
          "a symbolic link (to %1): the image holds the link, not what it leads to, so readers on "
          "Windows do not see it, and one that leads out of the disc leads nowhere on a reader's "
          "machine; put the file or folder itself here",
          "en symbolisk länk (till %1): skivavbilden får länken, inte det den leder till, så "
          "läsare med Windows ser den inte, och en länk ut ur skivan leder ingenstans hos läsaren; "
          "lägg filen eller mappen själv här"},
    Texts{
        FindingKind::FolderUnreadable,
        "the folder cannot be read (%1): nothing in it was checked, and no image can be made of it",
        "mappen kan inte läsas (%1): inget i den har kontrollerats, och ingen skivavbild kan göras "
        "av den"},
    Texts{FindingKind::FileUnreadable, "the file cannot be read (%1): no image can be made of it",
          "filen kan inte läsas (%1): ingen skivavbild kan göras av den"},
    Texts{FindingKind::PageElementCrowded,
          "an element has more than %1 attributes: the rest were not checked",
          "ett element har fler än %1 attribut: resten har inte kontrollerats"},
    Texts{FindingKind::FindingsLeftOut, "%1 more like the one on line %2 are not shown",
          "%1 till som den på rad %2 visas inte"},
};

// Text from the disc as the terminal should show it: control characters,
// C1 controls and bytes that are no UTF-8 as \xHH, so no page, file name
// or program list can move the cursor, clear the screen or retitle it.
std::string shown(std::string_view text) {
    std::string out;
    const auto hex = [&](unsigned char c) {
        static const char digits[] = "0123456789ABCDEF";
        out += "\\x";
        out += digits[c >> 4];
        out += digits[c & 15];
    };
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            if (c < 0x20 || c == 0x7F)
                hex(c);
            else
                out += static_cast<char>(c);
            ++i;
            continue;
        }
        const std::size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 0;
        bool whole = length > 0 && c <= 0xF4 && i + length <= text.size();
        for (std::size_t k = 1; whole && k < length; ++k)
            whole = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        // Overlong and surrogate forms, and U+0080 to U+009F, are no text.
        if (whole && length == 3) {
            const auto next = static_cast<unsigned char>(text[i + 1]);
            whole = !(c == 0xE0 && next < 0xA0) && !(c == 0xED && next >= 0xA0);
        }
        if (whole && length == 4) {
            const auto next = static_cast<unsigned char>(text[i + 1]);
            whole = !(c == 0xF0 && next < 0x90) && !(c == 0xF4 && next >= 0x90);
        }
        if (whole && length == 2 && c == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0)
            whole = false;
        if (!whole) {
            hex(c);
            ++i;
            continue;
        }
        out.append(text.substr(i, length));
        i += length;
    }
    return out;
}

std::string fill(std::string_view pattern, const std::vector<std::string>& arguments) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' &&
            pattern[i + 1] <= '9') {
            const auto index = static_cast<std::size_t>(pattern[i + 1] - '1');
            if (index < arguments.size())
                out += shown(arguments[index]);
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

} // namespace

std::optional<Language> CheckMessages::languageOf(std::string_view code) {
    if (code == "en")
        return Language::English;
    if (code == "sv")
        return Language::Swedish;
    return std::nullopt;
}

std::string CheckMessages::text(const CheckFinding& finding) const {
    for (const Texts& t : kTexts)
        if (t.kind == finding.kind)
            return fill(language_ == Language::Swedish ? t.swedish : t.english, finding.arguments);
    return {};
}

std::string CheckMessages::line(const CheckFinding& finding) const {
    std::string out = finding.file.empty() ? std::string(".") : shown(finding.file);
    if (finding.line > 0) {
        out += ':';
        out += std::to_string(finding.line);
    }
    const bool swedish = language_ == Language::Swedish;
    if (finding.severity == Severity::Error)
        out += swedish ? ": fel: " : ": error: ";
    else
        out += swedish ? ": varning: " : ": warning: ";
    out += text(finding);
    return out;
}

std::string CheckMessages::summary(std::size_t errors, std::size_t warnings) const {
    std::string out = std::to_string(errors);
    if (language_ == Language::Swedish) {
        out += " fel, ";
        out += std::to_string(warnings);
        out += warnings == 1 ? " varning" : " varningar";
    } else {
        out += errors == 1 ? " error, " : " errors, ";
        out += std::to_string(warnings);
        out += warnings == 1 ? " warning" : " warnings";
    }
    return out;
}

} // namespace dv
