#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed tree: cmake --install into a temporary prefix puts every file a desktop expects,
# the metadata passes its validators, and the installed program answers --version and --help.
#   installed_tree.sh build-folder version
set -eu
build=$1 version=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

id=it.vellutra.Margino
for file in bin/margino share/margino/DataMg.mgd share/margino/Margino.hlp \
    share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/icons/hicolor/scalable/apps/$id.svg share/man/man1/margino.1.gz \
    share/man/it/man1/margino.1.gz share/doc/margino/copyright share/doc/margino/changelog.gz; do
    [ -f "$prefix/$file" ] || { echo "missing: $file"; exit 1; }
done
for module in chart xlsx; do
    ls "$prefix"/lib*/margino/libmargino_$module.so "$prefix"/lib/*/margino/libmargino_$module.so \
        2>/dev/null | grep -q . || { echo "missing: the $module module"; exit 1; }
done
for size in 16 22 24 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x$size/apps/$id.png
    file "$png" | grep -q "PNG image data, $size x $size," || { echo "bad icon: $png"; exit 1; }
done

# Both validators print nothing for a clean file.
out=$(desktop-file-validate "$prefix/share/applications/$id.desktop")
[ -z "$out" ] || { echo "$out"; exit 1; }
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"

[ "$("$prefix/bin/margino" --version)" = "Margino $version" ]
# Qt's catalogue answers in the user's language.
LC_ALL=it_IT.UTF-8 "$prefix/bin/margino" --help | grep -q "Mostra le informazioni sulla versione"
