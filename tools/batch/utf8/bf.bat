:: bf.bat：备份当前服务的启动方式
:: 读出 xp.bat、vista.bat、Win7.bat 会改动的每一项服务现在的启动方式，在本文件夹里写出一份新的还原脚本：
:: 第一次写 restore.bat，以后依次写 restore-2.bat、restore-3.bat……，已有的备份从不改动。
:: 以管理员身份运行其中一份，服务的启动方式就还原为那次备份时的设置；编号最小的一份保存着最早的状态。
:: 启动方式读自注册表 HKLM\SYSTEM\CurrentControlSet\Services\服务名 的 Start 和 DelayedAutostart，
:: 与 Windows 的语言无关。本机没有的服务跳过；其他读不出的情况停止备份，不留下新文件。
:: 需要管理员权限：程序所在文件夹可能只有管理员才能写入。
@echo off
setlocal EnableExtensions DisableDelayedExpansion
:: 系统的工具一律写全路径：cmd 会先在当前文件夹里找同名的程序或脚本。
set "REG_EXE=%SystemRoot%\System32\reg.exe"
set "SERVICES=HKLM\SYSTEM\CurrentControlSet\Services"
set "FOLDER=%~dp0"
set /a SAVED=0, SKIPPED=0

:: xp.bat 改动的服务
set "LIST=ALG Eventlog helpsvc Spooler stisvc wuauserv Themes LmHosts WebClient Dhcp"
set "LIST=%LIST% Alerter ClipSrv Messenger RemoteRegistry RDSessMgr mnmsrvc TlntSvr ERSvc cisvc"
set "LIST=%LIST% NetDDE NetDDEdsdm SSDPSRV upnphost TrkWks"
:: vista.bat 和 Win7.bat 另外改动的服务
set "LIST=%LIST% WSearch TabletInputService Fax WMPNetworkSvc Mcx2Svc CscService SNMPTRAP"
:: 只有 Windows 10 和 11 才有的服务
set "LIST=%LIST% DiagTrack dmwappushservice RetailDemo MapsBroker AJRouter"

echo 正在备份当前服务的启动方式……
echo.

:: 本机有哪些服务：列出 Services 下的子项，记下每一项的名字。reg 不论哪种失败都返回 1，
:: 读不到某项时只有这份名单能分清“没有这项”和“有但读不出”。
"%REG_EXE%" query "%SERVICES%" >nul 2>&1
if errorlevel 1 (
    echo 无法读取注册表 %SERVICES%，备份没有进行，没有写任何文件。
    exit /b 1
)
for /f "tokens=5 delims=\" %%k in ('""%REG_EXE%" query "%SERVICES%" 2>nul"') do set "HAVE_%%k=1"

:: 先占一个临时名字再写：mkdir 只有一个进程能成功，同时运行的两次备份不会写进同一个文件；
:: 写完整后才改名为还原脚本，中途被关掉也只留下 ~bf-*.tmp，不会被当成备份。
set /a TRIES=0
:claim
set /a TRIES+=1
set "WORK=%FOLDER%~bf-%RANDOM%"
mkdir "%WORK%.lock" 2>nul
if not errorlevel 1 goto claimed
if exist "%WORK%.lock" if %TRIES% lss 100 goto claim
echo 无法在文件夹 "%FOLDER%" 里写入，备份没有进行，什么也没有改动。
echo 请以管理员身份运行，或把程序和脚本放到可以写入的文件夹里。
exit /b 1
:claimed
set "PART=%WORK%.tmp"
:: 每行单独追加：Wine 的 cmd 不把重定向用到括号里的整段命令上
>"%PART%" echo :: 还原脚本：由 bf.bat 生成，以管理员身份运行它，服务的启动方式就还原为备份时的设置。
if not exist "%PART%" goto write_failed
>>"%PART%" echo :: 备份时间：%date% %time%
>>"%PART%" echo :: 需要管理员权限：请右键选择“以管理员身份运行”。改动在重启电脑后生效。
>>"%PART%" echo @echo off
>>"%PART%" echo setlocal
>>"%PART%" echo set /a TOTAL=0, SUCCEEDED=0, ABSENT=0, DENIED=0
>>"%PART%" echo echo 正在按 %%~nx0 还原服务的启动方式……
>>"%PART%" echo echo.

for %%s in (%LIST%) do call :save %%s
if defined UNREADABLE (
    echo 无法读取服务 %UNREADABLE% 的启动方式（%SERVICES%\%UNREADABLE%），备份已停止，没有写出还原脚本。
    del "%PART%" 2>nul
    rd "%WORK%.lock" 2>nul
    exit /b 1
)

:: 还原脚本的其余部分与 xp.bat、vista.bat、Win7.bat 的末尾相同
>>"%PART%" echo call :report
>>"%PART%" echo goto :eof
>>"%PART%" echo.
>>"%PART%" echo :report
>>"%PART%" echo set /a FAILED=TOTAL-SUCCEEDED-ABSENT
>>"%PART%" echo echo.
>>"%PART%" echo echo 共设置 %%TOTAL%% 项服务：成功 %%SUCCEEDED%% 项，本机没有此服务 %%ABSENT%% 项，失败 %%FAILED%% 项。改动在重启电脑后生效。
>>"%PART%" echo if %%DENIED%% gtr 0 echo 其中 %%DENIED%% 项拒绝访问：请以管理员身份重新运行本脚本（Vista 起：右键选择“以管理员身份运行”）。
>>"%PART%" echo goto :eof
>>"%PART%" echo.
>>"%PART%" echo :config
>>"%PART%" echo "%%SystemRoot%%\System32\sc.exe" config %%1 start= %%3 ^>nul 2^>^&1
>>"%PART%" echo set "CODE=%%errorlevel%%"
>>"%PART%" echo set /a TOTAL+=1
>>"%PART%" echo set "RESULT=失败 %%CODE%%"
>>"%PART%" echo if "%%CODE%%"=="0" set /a SUCCEEDED+=1
>>"%PART%" echo if "%%CODE%%"=="0" set "RESULT=成功"
>>"%PART%" echo if "%%CODE%%"=="1060" set /a ABSENT+=1
>>"%PART%" echo if "%%CODE%%"=="1060" set "RESULT=本机没有此服务 (1060)"
>>"%PART%" echo if "%%CODE%%"=="5" set /a DENIED+=1
>>"%PART%" echo if "%%CODE%%"=="5" set "RESULT=拒绝访问 (5)"
>>"%PART%" echo echo   %%1：%%RESULT%%
>>"%PART%" echo goto :eof

:: 最后一行在，才说明整个文件都写进去了（磁盘满时 echo 不报错）
set "LAST_LINE="
for /f "usebackq delims=" %%l in ("%PART%") do set "LAST_LINE=%%l"
if not "%LAST_LINE%"=="goto :eof" goto write_failed

:: 改名为下一个编号；ren 不覆盖已有文件，另一次备份抢先用了这个名字时换下一个
set /a TRIES=0
:place
set /a TRIES+=1
call :find_backups
set /a NUMBER=LAST+1
set "NAME=restore-%NUMBER%.bat"
if %NUMBER%==1 set "NAME=restore.bat"
ren "%PART%" "%NAME%" 2>nul
if not exist "%PART%" if exist "%FOLDER%%NAME%" goto placed
if exist "%FOLDER%%NAME%" if %TRIES% lss 100 goto place
goto write_failed
:placed
rd "%WORK%.lock" 2>nul
set "OLDEST=%NAME%"
if %FIRST%==1 set "OLDEST=restore.bat"
if %FIRST% gtr 1 set "OLDEST=restore-%FIRST%.bat"

echo.
echo 备份完成：保存了 %SAVED% 项服务的启动方式，跳过了本机没有的 %SKIPPED% 项。
echo 这次的还原脚本："%FOLDER%%NAME%"
echo 最早的状态在 %OLDEST% 里；以前的备份都原样保留。
echo 需要还原时，以管理员身份运行相应的还原脚本即可。
exit /b 0

:write_failed
del "%PART%" 2>nul
rd "%WORK%.lock" 2>nul
echo 无法在文件夹 "%FOLDER%" 里写完还原脚本（磁盘已满或没有写入权限），备份没有完成，没有留下新文件。
exit /b 1

:: 读出一项服务的启动方式，在还原脚本里追加一行 call :config。
:: reg 显示 DWORD 的格式在各语言的 Windows 上相同，如“Start    REG_DWORD    0x2”。
:save
if defined UNREADABLE goto :eof
if not defined HAVE_%1 (
    set /a SKIPPED+=1
    goto :eof
)
set "VALUE_Start_REG_DWORD="
set "VALUE_DelayedAutostart_REG_DWORD="
for /f "tokens=1-3" %%a in ('""%REG_EXE%" query "%SERVICES%\%1" 2>nul"') do set "VALUE_%%a_%%b=%%c"
if not defined VALUE_Start_REG_DWORD goto save_without_start
set /a START=%VALUE_Start_REG_DWORD%, DELAYED=0
if defined VALUE_DelayedAutostart_REG_DWORD set /a DELAYED=%VALUE_DelayedAutostart_REG_DWORD%
set "MODE="
if %START%==0 set "MODE=boot"
if %START%==1 set "MODE=system"
if %START%==2 set "MODE=auto"
if %START%==2 if not %DELAYED%==0 set "MODE=delayed-auto"
if %START%==3 set "MODE=demand"
if %START%==4 set "MODE=disabled"
if not defined MODE (
    set "UNREADABLE=%1"
    goto :eof
)
>>"%PART%" echo call :config %1 start= %MODE%
echo   %1：%MODE%
set /a SAVED+=1
goto :eof

:: 项在却没有 Start：读得出这一项，就不是服务管理器认的服务，跳过；读不出就停止备份。
:save_without_start
"%REG_EXE%" query "%SERVICES%\%1" >nul 2>&1
if errorlevel 1 (
    set "UNREADABLE=%1"
    goto :eof
)
set /a SKIPPED+=1
goto :eof

:: 本文件夹里已有的备份：LAST 为最大编号，FIRST 为最小编号，没有时都是 0。
:: restore.bat 算第 1 份；只认 restore-N.bat 这种名字（N 从 2 起、不以 0 开头）。
:find_backups
:: 通配符不加引号、在本文件夹里展开：Wine 的 cmd 不展开带引号的通配符，文件夹路径又可能有空格。
set /a LAST=0, FIRST=0
if exist "%FOLDER%restore.bat" set /a LAST=1, FIRST=1
pushd "%FOLDER%"
for %%f in (restore-*.bat) do call :take_number "%%~nxf"
popd
goto :eof

:take_number
set "NUMBER=%~n1"
set "NUMBER=%NUMBER:~8%"
if /i not "%~nx1"=="restore-%NUMBER%.bat" goto :eof
if "%NUMBER%"=="" goto :eof
for /f "delims=0123456789" %%d in ("%NUMBER%") do goto :eof
if "%NUMBER:~0,1%"=="0" goto :eof
:: 不超过 9 位；先补足再取第 10 个字符：Wine 的 cmd 取子串越过末尾时会读到旧值
set "PADDED=%NUMBER%##########"
if not "%PADDED:~9,1%"=="#" goto :eof
if %NUMBER% lss 2 goto :eof
if %NUMBER% gtr %LAST% set /a LAST=NUMBER
if %FIRST%==0 set /a FIRST=NUMBER
if %NUMBER% lss %FIRST% set /a FIRST=NUMBER
goto :eof
