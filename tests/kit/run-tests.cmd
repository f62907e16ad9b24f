@echo off
rem Runs the Win32 tests and the end-to-end tests of this kit against the
rem Quellbrook.exe beside it. Both programs' output goes to test-results.txt
rem beside this script; its last line, shown here too, is the total over both:
rem "N passed, N failed". The exit code is 0 only when nothing failed.
rem The tests put back what they change (registry values, the HOSTS file) and
rem work in a temporary folder that is removed at the end.
rem Packed with CR LF line ends: cmd misreads labels in LF-only scripts.
setlocal EnableExtensions
set "kit=%~dp0"
set "results=%kit%test-results.txt"
set "QUELLBROOK_EXE=%kit%Quellbrook.exe"

if not exist "%QUELLBROOK_EXE%" (
  echo Quellbrook.exe is not beside %~nx0.
  echo Unpack this kit into the folder that holds the files of the release zip.
  exit /b 2
)
rem fltmc works only for administrators, on every Windows from Vista to 11.
rem Wine has no fltmc, but there everyone is an administrator. Wine's cmd
rem runs "a || b" even after a success, hence the errorlevel tests.
fltmc >nul 2>&1
if errorlevel 1 reg query HKLM\Software\Wine >nul 2>&1
if errorlevel 1 (
  echo %~nx0 needs administrator rights: right-click it and choose "Run as administrator".
  exit /b 2
)

set "work=%TEMP%\quellbrook-tests-%RANDOM%%RANDOM%"
mkdir "%work%"
if errorlevel 1 exit /b 2
type nul >"%results%"
set passed=0
set failed=0
pushd "%work%"
call :suite quellbrook_win32_tests.exe
call :suite quellbrook_e2e.exe
popd
rd /s /q "%work%"
>>"%results%" echo %passed% passed, %failed% failed
echo Results: %results%
echo %passed% passed, %failed% failed
if %failed% neq 0 exit /b 1
exit /b 0

rem :suite PROGRAM runs one test program and adds its own last line,
rem "N passed, N failed", to the totals. A program that ends without that
rem line, or with a non-zero exit code and no failed test, counts as one
rem failure.
:suite
set "output=%work%\%~n1.txt"
set suite_passed=
set suite_failed=
echo Running %~1 ...
"%kit%%~1" --gtest_color=no >"%output%" 2>&1
set status=%errorlevel%
>>"%results%" echo ==== %~1
rem Under Wine a program's children get its standard handles even when they
rem inherit none, and the output cannot be read until the last of them has
rem ended: try again for up to a minute.
set tries=0
:read_output
type "%output%" >>"%results%" 2>nul
if not errorlevel 1 goto output_read
set /a tries+=1
if %tries% geq 60 goto output_read
ping -n 2 127.0.0.1 >nul
goto read_output
:output_read
>>"%results%" echo ==== %~1 exit code %status%
rem find first: only candidate lines reach the comparison.
for /f "tokens=1-4" %%a in ('find " passed, " ^< "%output%"') do if "%%b %%d"=="passed, failed" call :take %%a %%c
if not defined suite_passed (
  set suite_passed=0
  set suite_failed=1
)
if %status% neq 0 if %suite_failed% equ 0 set suite_failed=1
set /a passed+=suite_passed
set /a failed+=suite_failed
echo %~1: %suite_passed% passed, %suite_failed% failed
exit /b 0

:take
set "suite_passed=%~1"
set "suite_failed=%~2"
exit /b 0
