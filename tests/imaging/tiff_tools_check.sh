#!/usr/bin/env bash
# Independent check of the TIFF reader and writer with libtiff's own tools:
# ostrel reads the example's Deflate-compressed 16-bit frames and writes them
# again (LZW); tiffinfo must see 16-bit single-sample greyscale of the same
# size, and after decompressing both with tiffcp, tiffcmp must find the
# pixels identical. Usage: tiff_tools_check.sh OSTREL SOURCE_DIR
set -euo pipefail
ostrel="$1"
source_dir="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir images
for k in 000 017 039; do cp "$source_dir/examples/cells/images/t$k.tif" images/; done
cat > copy.xml <<XML
<?xml version="1.0"?>
<component_chain>
  <components>
    <short_image_tiff_reader><directory>images</directory><start_time>0</start_time><dt>1</dt></short_image_tiff_reader>
    <short_image_tiff_writer><directory>out</directory><create>true</create><width>3</width></short_image_tiff_writer>
  </components>
</component_chain>
XML
XDG_DATA_HOME="$work/data" "$ostrel" copy.xml > /dev/null 2>&1 || { echo "ostrel failed"; exit 1; }
index=0
for k in 000 017 039; do
  written="out/$(printf '%03d' $index).tif"
  index=$((index + 1))
  info="$(tiffinfo "$written" 2>&1)"
  for expected in "Image Width: 256 Image Length: 256" "Bits/Sample: 16" "Samples/Pixel: 1" \
                  "Photometric Interpretation: min-is-black"; do
    grep -qF "$expected" <<< "$info" || { echo "$written: tiffinfo lacks '$expected'"; exit 1; }
  done
  tiffcp -c none "images/t$k.tif" original.tif
  tiffcp -c none "$written" copy.tif
  tiffcmp original.tif copy.tif || { echo "$written: pixels differ from t$k.tif"; exit 1; }
done
echo "3 passed, 0 failed"
