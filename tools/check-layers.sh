#!/usr/bin/env bash
# The layering rules of src/README.md, checked on the sources: prints every
# include that breaks one and fails when there is any.
set -uo pipefail
src=${1:-$(cd "$(dirname "$0")/../src" && pwd)}
cd "$src" || exit 2
bad=0
report() { [ -n "$2" ] && { echo "$1:"; echo "$2"; bad=1; }; }
report "Qt outside the windows and the Qt platform" \
  "$(grep -rl --include='*.cpp' --include='*.h' '#include <Q' . | grep -v -e '/windows/' -e '/platform/qt/' -e 'main.cpp')"
report "geometry includes more than geometry" \
  "$(grep -rn '#include "' geometry | grep -v '#include "geometry/')"
report "core includes frame, a family, output or elbows" \
  "$(grep -rn -E '#include "(frame|cylinders|cones|output|elbows)/' core)"
report "frame includes output or elbows" "$(grep -rn -E '#include "(output|elbows)/' frame)"
# A function declared by hand in a source file hides where it comes from.
report "frame declares a function in a source file, not through a header" \
  "$(grep -rn -E '^(void|bool|int|double|std::string|QWidget ?\*) ?[A-Za-z_]+\([^={]*\);[[:space:]]*$' frame --include='*.cpp')"
report "output includes elbows" "$(grep -rn '#include "elbows/' output 2>/dev/null)"
# Computation knows no window; program.cpp names the windows' registrations.
report "computation includes a window header" \
  "$(grep -rn --include='*.cpp' --include='*.h' -E '#include "([a-z_]+/)*windows/' . |
     grep -v -E -e '^\./[a-z_/]*windows/' -e '^\./platform/qt/' -e '^\./main\.cpp:' -e '^\./program\.(cpp|h):')"
exit $bad
