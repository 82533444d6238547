#!/usr/bin/env bash
# Fails when a library includes a header of a layer it must not see, a Qt
# module above its own or a third-party library that is another layer's, and
# prints the offending include lines. The layers follow the libraries' link
# order:
#   core -> cards -> games -> engine -> charts, bankroll -> play -> ui,
#   prefs beside play, render below ui; charts and bankroll never see each other.
# core up to bankroll are plain C++; prefs and play use QtCore at most, render
# QtGui; only ui and app use Widgets; cli links no Widgets. FFTW is bankroll's,
# zlib render's, the JSON library cli's. Within ui, common is what the feature
# folders share and sees none of them.
set -euo pipefail
cd "$(dirname "$0")/.."

qt_headers=$(qtpaths6 --query QT_INSTALL_HEADERS 2>/dev/null ||
    qmake6 -query QT_INSTALL_HEADERS 2>/dev/null ||
    echo /usr/include/x86_64-linux-gnu/qt6)
if [ ! -d "$qt_headers/QtCore" ]; then
    echo "check-layers: no Qt headers in $qt_headers" >&2
    exit 2
fi

# "QString QtCore" for every class header, so that <QString> finds its module.
modules=$(
    cd "$qt_headers"
    for module in Qt*/; do
        module=${module%/}
        find "$module" -maxdepth 1 -type f -name 'Q*' ! -name '*.h' -printf "%f $module\n"
    done
)

# Where each folder may look: project layers, then Qt modules ("-" for none, "*" for any).
rules='
core     -                                                          -
cards    core                                                       -
games    core,cards                                                 -
engine   core,cards,games                                           -
charts   core,cards,games,engine                                    -
bankroll core,cards,games,engine                                    -
prefs    core,cards                                                 QtCore
play     core,cards,games,engine,charts,bankroll,prefs              QtCore
render   core,cards,prefs                                           QtCore,QtGui
ui       core,cards,games,engine,charts,bankroll,prefs,play,render  *
cli      core,cards,games,engine,charts,bankroll,prefs,play,render  QtCore,QtGui
app      core,cards,games,engine,charts,bankroll,prefs,play,render,ui *
'
# Third-party headers (by their first path part) and the one layer that may use each.
third_party='fftw3.h:bankroll zlib.h:render nlohmann:cli'

git ls-files 'src/*.h' 'src/*.cpp' 'cli/*.h' 'cli/*.cpp' 'app/*.h' 'app/*.cpp' |
    xargs grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]' |
    awk -v rules="$rules" -v modules="$modules" -v thirdParty="$third_party" '
    BEGIN {
        layers = "core cards games engine charts bankroll prefs play render ui cli app"
        split(layers, names, " ")
        for (i in names) isLayer[names[i]] = 1
        n = split(rules, lines, "\n")
        for (i = 1; i <= n; ++i) {
            if (split(lines[i], f, " ") < 3) continue
            sees[f[1]] = "," f[2] ","
            qt[f[1]] = "," f[3] ","
        }
        n = split(modules, lines, "\n")
        for (i = 1; i <= n; ++i) {
            split(lines[i], f, " ")
            if (!(f[1] in moduleOf)) moduleOf[f[1]] = f[2]
        }
        n = split(thirdParty, pairs, " ")
        for (i = 1; i <= n; ++i) {
            split(pairs[i], f, ":")
            ownerOf[f[1]] = f[2]
        }
        bad = 0
    }
    {
        # file:line:text
        file = $0; sub(/:.*/, "", file)
        rest = substr($0, length(file) + 2)
        lineNo = rest; sub(/:.*/, "", lineNo)
        text = substr(rest, length(lineNo) + 2)
        split(file, parts, "/")
        layer = parts[1] == "src" ? parts[2] : parts[1]
        if (!(layer in sees)) next

        header = text
        sub(/^[^<"]*[<"]/, "", header)
        sub(/[>"].*$/, "", header)
        while (header ~ /^\.\.\//) sub(/^\.\.\//, "", header)
        first = header; sub(/\/.*$/, "", first)

        why = ""
        if ((first in isLayer) && header ~ /\//) {
            if (first != layer && index(sees[layer], "," first ",") == 0)
                why = layer " may not include " first
            else if (layer == "ui" && parts[3] == "common" && first == "ui") {
                feature = header; sub(/^ui\//, "", feature); sub(/\/.*$/, "", feature)
                if (feature != "common") why = "ui/common may not include ui/" feature
            }
        } else if (first in ownerOf) {
            if (ownerOf[first] != layer) why = first " is " ownerOf[first] "\047s alone"
        } else if (header ~ /^Q/) {
            # <QtGui/QImage>, <QtGui> or <QImage>
            if (header ~ /\//) module = first
            else if (header in moduleOf) module = moduleOf[header]
            else if (header ~ /^Qt[A-Za-z]+$/) module = header
            else module = "an unknown Qt module"
            if (qt[layer] == ",-,") why = layer " is plain C++"
            else if (qt[layer] != ",*," && index(qt[layer], "," module ",") == 0)
                why = layer " may not use " module
        }
        if (why != "") {
            print file ":" lineNo ": " text "    (" why ")"
            bad = 1
        }
    }
    END { exit bad }
' && status=0 || status=$?

if [ "$status" -ne 0 ]; then
    echo "layers: includes against the layering above" >&2
    exit 1
fi
echo "layers: every include goes down the layers"
