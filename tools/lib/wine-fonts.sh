# Sourced (after run-quietly.sh): links Tahoma to Korean and Chinese fonts so CJK text shows real glyphs.
# Wine rewrites these links with its defaults whenever a process starts under another
# code page than the last one, so a run in a given locale sets them again first, together
# with the code pages Wine compares against.
#   wine_font_links RUNNER [ACP,OEMCP]     RUNNER is "wine" or the build's emulator script
wine_font_links() {
  runner="$1"
  if [ -n "${2:-}" ]; then
    run_quietly "$runner" reg add 'HKLM\Software\Wine\Fonts' /v Codepages /d "$2" /f
  fi
  run_quietly "$runner" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
    /v Tahoma /t REG_MULTI_SZ /d 'NanumGothic.ttf,NanumGothic\0wqy-microhei.ttc,WenQuanYi Micro Hei' /f
}
