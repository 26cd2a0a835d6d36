# orvanta_add_locale_test(NAME LANGUAGE [ENVIRONMENT VAR=VALUE...] COMMAND PROGRAM [ARGS...]):
# a test that runs a test program under Wine in the user locale of LANGUAGE (en or ko). Wine
# takes the user's language from LC_ALL at process start, and the programs it starts inherit
# it; ORVANTA_TEST_LANGUAGE tells the test program which language to expect.
function(orvanta_add_locale_test name language)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "ENVIRONMENT;COMMAND")
  if(language STREQUAL "ko")
    set(locale ko_KR.UTF-8)
    set(codepages 949,949)
  else()
    set(locale en_US.UTF-8)
    set(codepages 1252,437)
  endif()
  add_test(NAME ${name}
           COMMAND env ORVANTA_TEST_LANGUAGE=${language} ${arg_ENVIRONMENT}
                   ${PROJECT_SOURCE_DIR}/tests/e2e/run-in-locale.sh ${locale} ${codepages}
                   ${CMAKE_CROSSCOMPILING_EMULATOR} ${arg_COMMAND})
  set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE TIMEOUT 180)
endfunction()
