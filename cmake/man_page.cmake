# The man page tracciato.1, made from the program's own help: tracciato --help and each
# subcommand's --help, arranged in the sections of a man page and handed to help2man,
# which does the formatting and the escaping. Run at build time:
#   cmake -DTRACCIATO=EXE -DHELP2MAN=EXE -DGZIP=EXE -DOUTPUT=DIR/tracciato.1 -P man_page.cmake
# writes OUTPUT, OUTPUT.gz (what is installed) and, beside them, tracciato.help, the
# text help2man read.
#
# What help2man makes of the text: the first "Usage:" line and the "   or:" lines under
# it become the SYNOPSIS, "Options:" the OPTIONS section, a line "*Name*" a section
# of that name, a line ending in ":" over indented lines a subsection, an indented
# line with a description beside or under it (20 columns in) a tagged paragraph.
# So each subcommand's help becomes a section of its own, whose headings are renamed
# where help2man would take them for its own sections ("Options:", "Examples:").
cmake_minimum_required(VERSION 3.20)

foreach(var TRACCIATO HELP2MAN GZIP OUTPUT)
  if(NOT ${var})
    message(FATAL_ERROR "man_page.cmake: ${var} is not set")
  endif()
endforeach()

function(run_tracciato out)
  execute_process(COMMAND ${TRACCIATO} ${ARGN} OUTPUT_VARIABLE text ERROR_VARIABLE errors
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR text STREQUAL "")
    message(FATAL_ERROR "tracciato ${ARGN} failed (${status}): ${errors}")
  endif()
  string(REGEX REPLACE "\n+$" "" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# paragraphs(TEXT PREFIX): the blank-line separated paragraphs of TEXT as PREFIX_0,
# PREFIX_1, ... and their number as PREFIX_COUNT. Variables, not a list: help texts
# hold semicolons and brackets.
function(paragraphs text prefix)
  set(n 0)
  while(NOT text STREQUAL "")
    string(FIND "${text}" "\n\n" at)
    if(at EQUAL -1)
      set(paragraph "${text}")
      set(text "")
    else()
      string(SUBSTRING "${text}" 0 ${at} paragraph)
      math(EXPR rest "${at} + 2")
      string(SUBSTRING "${text}" ${rest} -1 text)
      string(REGEX REPLACE "^\n+" "" text "${text}")
    endif()
    set(${prefix}_${n} "${paragraph}" PARENT_SCOPE)
    math(EXPR n "${n} + 1")
  endwhile()
  set(${prefix}_COUNT ${n} PARENT_SCOPE)
endfunction()

# first_line(TEXT FIRST REST): TEXT split after its first line.
function(first_line text first rest)
  string(FIND "${text}" "\n" at)
  if(at EQUAL -1)
    set(${first} "${text}" PARENT_SCOPE)
    set(${rest} "" PARENT_SCOPE)
  else()
    string(SUBSTRING "${text}" 0 ${at} head)
    math(EXPR at "${at} + 1")
    string(SUBSTRING "${text}" ${at} -1 tail)
    set(${first} "${head}" PARENT_SCOPE)
    set(${rest} "${tail}" PARENT_SCOPE)
  endif()
endfunction()

# Examples as help2man shows them one by one: a blank line before each command (lines
# indented by two), and the explanation under a command (indented by six) moved 24 in,
# so that it becomes the body of a paragraph tagged with the command.
function(spread_examples text out)
  first_line("${text}" heading body)
  string(REGEX REPLACE "\n  ([^ ])" "\n\n  \\1" body "${body}")
  string(REGEX REPLACE "\n      ([^ ])" "\n                        \\1" body "${body}")
  set(${out} "${heading}\n${body}" PARENT_SCOPE)
endfunction()

run_tracciato(version --version)
run_tracciato(top --help)
string(REGEX REPLACE "^tracciato " "" number "${version}")

# The top help: "DESCRIPTION\nUsage: ...", "Options:...", "Subcommands:...", then the
# paragraphs of its footer.
paragraphs("${top}" top)
first_line("${top_0}" description top_usage)
if(NOT top_usage MATCHES "^Usage: tracciato ")
  message(FATAL_ERROR "unexpected help of tracciato: ${top}")
endif()
string(REGEX REPLACE "^tracciato: " "" name "${description}")
string(REGEX REPLACE "\\.$" "" name "${name}")

set(synopsis "${top_usage}")
set(top_text "")
set(commands_text "")
set(subcommands "")
math(EXPR last "${top_COUNT} - 1")
foreach(i RANGE 1 ${last})
  set(p "${top_${i}}")
  if(p MATCHES "^Options:\n")
    set(options_text "${p}")
  elseif(p MATCHES "^Subcommands:\n")
    string(REGEX REPLACE "^Subcommands:\n" "*Commands*\n" commands_text "${p}")
    string(REGEX MATCHALL "\n  [a-z]+ " lines "${p}")
    foreach(line IN LISTS lines)
      string(STRIP "${line}" sub)
      list(APPEND subcommands ${sub})
    endforeach()
  else()
    string(APPEND top_text "\n\n${p}")
  endif()
endforeach()
if(NOT subcommands OR NOT options_text)
  message(FATAL_ERROR "no options or subcommands in the help of tracciato: ${top}")
endif()

# Each subcommand: "DESCRIPTION\nUsage: ...", "Positionals:...", "Options:...", then
# its footer: paragraphs of text and one of examples.
set(sections "")
foreach(sub IN LISTS subcommands)
  run_tracciato(help ${sub} --help)
  paragraphs("${help}" h)
  first_line("${h_0}" sub_description sub_usage)
  if(NOT sub_usage MATCHES "^Usage: tracciato ${sub}")
    message(FATAL_ERROR "unexpected help of tracciato ${sub}: ${help}")
  endif()
  string(REGEX REPLACE "^Usage: " "   or: " line "${sub_usage}")
  string(APPEND synopsis "\n${line}")
  set(text "")
  set(arguments "")
  set(options "")
  set(examples "")
  math(EXPR last "${h_COUNT} - 1")
  foreach(i RANGE 1 ${last})
    set(p "${h_${i}}")
    if(p MATCHES "^Positionals:\n")
      string(REGEX REPLACE "^Positionals:" "Arguments:" arguments "${p}")
    elseif(p MATCHES "^Options:\n")
      string(REGEX REPLACE "^Options:" "Options of tracciato ${sub}:" options "${p}")
    elseif(p MATCHES "^Examples:\n")
      spread_examples("${p}" p)
      string(REGEX REPLACE "^Examples:" "Examples of tracciato ${sub}:" examples "${p}")
    elseif(p MATCHES "\nExamples:\n")  # examples closing a paragraph of text
      string(FIND "${p}" "\nExamples:\n" at)
      string(SUBSTRING "${p}" 0 ${at} before)
      math(EXPR at "${at} + 1")
      string(SUBSTRING "${p}" ${at} -1 p)
      string(APPEND text "\n\n${before}")
      spread_examples("${p}" p)
      string(REGEX REPLACE "^Examples:" "Examples of tracciato ${sub}:" examples "${p}")
    else()
      string(APPEND text "\n\n${p}")
    endif()
  endforeach()
  string(APPEND sections "\n\n*tracciato ${sub}*\n${sub_description}\n\n${sub_usage}${text}")
  foreach(part arguments options examples)
    if(NOT "${${part}}" STREQUAL "")
      string(APPEND sections "\n\n${${part}}")
    endif()
  endforeach()
endforeach()

set(see_also "*See also*
The reference of the source texts, docs/format.md, and the README are installed
with tracciato, in share/doc/tracciato (/usr/share/doc/tracciato from the Debian
package).")

get_filename_component(dir "${OUTPUT}" DIRECTORY)
set(help_file "${dir}/tracciato.help")
file(WRITE "${help_file}" "${description}\n${synopsis}${top_text}\n\n${options_text}\n\n${commands_text}${sections}\n\n${see_also}\n")

# help2man runs "PROGRAM HELP-OPTION" through the shell: here "cat tracciato.help",
# in the folder of the file.
execute_process(
  COMMAND ${HELP2MAN} --no-info --section=1 "--name=${name}" "--version-string=${version}"
          "--source=tracciato ${number}" --help-option=tracciato.help --output=${OUTPUT} cat
  WORKING_DIRECTORY "${dir}"
  RESULT_VARIABLE status ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "help2man failed (${status}): ${errors}")
endif()
# Compressed the way Debian wants its man pages: best compression, no name or time.
execute_process(COMMAND ${GZIP} -9 -n -c ${OUTPUT} OUTPUT_FILE ${OUTPUT}.gz RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "gzip of ${OUTPUT} failed (${status})")
endif()
