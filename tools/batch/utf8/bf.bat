:: bf.bat：备份当前服务的启动方式
:: 查询 xp.bat、vista.bat、Win7.bat 会改动的每一项服务现在的启动方式，
:: 写成本文件夹里的还原脚本 restore.bat；以后以管理员身份运行 restore.bat 即可还原。
:: 每次运行都会先清空并重写 restore.bat，只保留最近一次的备份。本机没有的服务直接跳过。
:: 需要管理员权限：程序所在文件夹可能只有管理员才能写入。
@echo off
setlocal EnableExtensions DisableDelayedExpansion
set "RESTORE=%~dp0restore.bat"
set /a SAVED=0, SKIPPED=0
echo 正在备份当前服务的启动方式……
echo.

:: 清空旧的 restore.bat；写不进去（只读、没有权限）时 copy 报错并停止
copy /y nul "%RESTORE%" >nul
if errorlevel 1 goto write_failed
>> "%RESTORE%" echo :: restore.bat：由 bf.bat 生成，把服务的启动方式还原为备份时的设置。
>> "%RESTORE%" echo :: 需要管理员权限：请右键选择“以管理员身份运行”。改动在重启电脑后生效。
>> "%RESTORE%" echo :: 备份时间：%date% %time%
>> "%RESTORE%" echo @echo off

:: xp.bat 改动的服务
for %%s in (ALG Eventlog helpsvc Spooler stisvc wuauserv Themes LmHosts WebClient Dhcp) do call :save %%s
for %%s in (Alerter ClipSrv Messenger RemoteRegistry RDSessMgr mnmsrvc TlntSvr ERSvc cisvc) do call :save %%s
for %%s in (NetDDE NetDDEdsdm SSDPSRV upnphost TrkWks) do call :save %%s
:: vista.bat 和 Win7.bat 另外改动的服务
for %%s in (WSearch TabletInputService Fax WMPNetworkSvc Mcx2Svc CscService SNMPTRAP) do call :save %%s
:: 只有 Windows 10 和 11 才有的服务
for %%s in (DiagTrack dmwappushservice RetailDemo MapsBroker AJRouter) do call :save %%s

>> "%RESTORE%" echo echo.
>> "%RESTORE%" echo echo 服务的启动方式已还原为备份时的设置，重启电脑后生效。
>> "%RESTORE%" echo echo 若上面有“拒绝访问”的提示，请右键选择“以管理员身份运行”重新运行本脚本。

echo.
echo 备份完成：保存了 %SAVED% 项服务的启动方式，跳过了本机没有的 %SKIPPED% 项。
echo 还原脚本："%RESTORE%"
echo 需要还原时，以管理员身份运行它即可。
goto :eof

:: 查询一项服务的启动方式，追加一行 sc config 到 restore.bat。
:: sc qc 的字段名在各语言的 Windows 上都是英文，START_TYPE 一行形如
:: “START_TYPE : 2 AUTO_START (DELAYED)”，第 3 段是数字，第 5 段只在延迟启动时出现。
:: 只看第 1 段为 START_TYPE 的一行；服务不存在时 sc qc 失败，没有这一行。
:: 8192 是查询缓冲区大小，依赖项多的服务需要。
:save
set "MODE="
for /f "tokens=1,3,5" %%a in ('sc qc %1 8192 2^>nul') do (
    if "%%a"=="START_TYPE" (
        if "%%b"=="0" set "MODE=boot"
        if "%%b"=="1" set "MODE=system"
        if "%%b"=="2" set "MODE=auto"
        if "%%b%%c"=="2(DELAYED)" set "MODE=delayed-auto"
        if "%%b"=="3" set "MODE=demand"
        if "%%b"=="4" set "MODE=disabled"
    )
)
if not defined MODE (
    set /a SKIPPED+=1
    goto :eof
)
>> "%RESTORE%" echo sc config %1 start= %MODE%
echo   %1：%MODE%
set /a SAVED+=1
goto :eof

:write_failed
echo 无法写入 "%RESTORE%"，备份没有完成。
echo 请以管理员身份运行，或检查该文件是否被设为只读。
goto :eof
