#!/usr/bin/env bash
# Builds the Debian package melvora_<version>_<arch>.deb into build/ (or BUILD_DIR) with CPack and
# checks it: the desktop entry and the AppStream metainfo validate, and the package holds the
# programs, the helpers, the icons and the manual. Builds first when the build folder is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
[ -f "$build_dir/CMakeCache.txt" ] || scripts/build.sh
cmake --build "$build_dir" --target melvora melvora-cli melvora-setup -j "$(nproc)"
(cd "$build_dir" && cpack -G DEB >/dev/null)
deb=$(ls -t "$build_dir"/melvora_*_*.deb | head -n 1)

desktop-file-validate packaging/de.kiv.Melvora.desktop
appstreamcli validate --no-net --pedantic "$build_dir/de.kiv.Melvora.metainfo.xml" >/dev/null

contents=$(dpkg-deb -c "$deb")
for item in ./usr/bin/melvora ./usr/bin/melvora-cli ./usr/bin/melvora-setup \
            ./usr/lib/melvora/melvora ./usr/lib/melvora/Bild1.bmp ./usr/lib/melvora/Handbuch/index.htm \
            ./usr/share/applications/de.kiv.Melvora.desktop ./usr/share/metainfo/de.kiv.Melvora.metainfo.xml \
            ./usr/share/icons/hicolor/scalable/apps/de.kiv.Melvora.svg \
            ./usr/share/icons/hicolor/48x48/apps/de.kiv.Melvora.png; do
    if ! grep -q " $item\( ->.*\)\?$" <<<"$contents"; then
        echo "package.sh: $deb lacks $item" >&2
        exit 1
    fi
done
# The helper that switches the computer off goes beside the program once the build stages it.
if [ -e "$build_dir/src/setup/cli/Data/shutdown" ] && ! grep -q " ./usr/lib/melvora/shutdown$" <<<"$contents"; then
    echo "package.sh: $deb lacks the shutdown helper" >&2
    exit 1
fi
dpkg-deb -f "$deb" Package Version Architecture Depends
echo "package.sh: $deb"
