#!/usr/bin/env bash
# Checks of the option-list library installed into a fresh prefix.
#   install_check.sh install BUILD_DIR PREFIX
#   install_check.sh plugin PREFIX PLUGIN_DIR LIB_DIR       (folders relative to PREFIX)
#   install_check.sh pkg-config PREFIX LIB_DIR INCLUDE_DIR CXX VERSION
set -euo pipefail

check=$1
shift
case "$check" in
  install)
    build=$1 prefix=$2
    rm -rf "$prefix"
    cmake --install "$build" --prefix "$prefix" --component orvell >/dev/null
    ;;
  plugin)
    prefix=$1 plugin_dir=$2 lib_dir=$3
    plugin="$prefix/$plugin_dir/liborvell_designer.so"
    # The plugin finds the library of its own prefix, not one of the build tree.
    found=$(env -u LD_LIBRARY_PATH ldd "$plugin" | awk '$1 == "liborvell.so.4" { print $3 }')
    expected=$(readlink -f "$prefix/$lib_dir/liborvell.so.4")
    if [ -z "$found" ] || [ "$(readlink -f "$found")" != "$expected" ]; then
      echo "liborvell.so.4 of $plugin resolves to '${found:-nothing}', not $expected" >&2
      env -u LD_LIBRARY_PATH ldd "$plugin" >&2
      exit 1
    fi
    ;;
  pkg-config)
    prefix=$1 lib_dir=$2 include_dir=$3 cxx=$4 version=$5
    export PKG_CONFIG_PATH="$prefix/$lib_dir/pkgconfig"
    [ "$(pkg-config --modversion orvell)" = "$version" ] || {
      echo "version $(pkg-config --modversion orvell)" >&2
      exit 1
    }
    flags=$(pkg-config --cflags --libs orvell)
    for want in "-I$prefix/$include_dir" "-L$prefix/$lib_dir" "-lorvell" "-lQt6Widgets"; do
      case " $flags " in
        *" $want "*) ;;
        *) echo "pkg-config --cflags --libs orvell: '$flags' lacks $want" >&2; exit 1 ;;
      esac
    done
    # The flags are enough to compile against the installed headers.
    echo '#include <orvell/orvell_list.h>
int main() { orvell::OrvellList list; return list.ListCount(); }' |
      "$cxx" -std=c++17 -fPIC -fsyntax-only -x c++ - $(pkg-config --cflags orvell)
    ;;
  *)
    echo "unknown check $check" >&2
    exit 2
    ;;
esac
