:: Win7.bat：Windows 7 至 Windows 11 后台服务精简脚本
:: 把家用电脑用不到的后台服务设为禁用或手动，不改动网络、声音、登录和 Windows 更新相关的服务。
:: 有些服务只在较新的 Windows 上才有，本机没有时那一行显示“本机没有此服务”，不必理会。
:: 需要管理员权限：请用 Quellbrook 的“优化”按钮运行，或右键选择“以管理员身份运行”。
:: 运行前建议先点“快速备份当前服务”：每次备份写出一份新的还原脚本（restore.bat、restore-2.bat……），
:: 以后以管理员身份运行其中一份即可还原为那次备份时的设置。改动在重启电脑后生效。
@echo off
setlocal
:: 按 ver 显示的版本号确认系统，以免在别的 Windows 上误运行
for /f "delims=" %%v in ('ver') do set "OSVER=%%v"
if not "%OSVER: 6.1.=%"=="%OSVER%" goto apply
if not "%OSVER: 6.2.=%"=="%OSVER%" goto apply
if not "%OSVER: 6.3.=%"=="%OSVER%" goto apply
if not "%OSVER: 10.0.=%"=="%OSVER%" goto apply
echo 当前系统不是 Windows 7 至 Windows 11，本脚本只适用于这些系统。
set "ANSWER="
set /p "ANSWER=仍要继续请输入 Y 后回车，直接回车则取消："
if /i not "%ANSWER%"=="Y" goto :eof

:apply
set /a TOTAL=0, SUCCEEDED=0, ABSENT=0, DENIED=0
echo 正在设置 Windows 7 至 Windows 11 的后台服务……
echo.

:: ==== Windows 7 起都有的服务 ====
:: 远程注册表：让网络上的其他电脑修改本机注册表
call :config RemoteRegistry start= disabled
:: 传真
call :config Fax start= disabled
:: Windows Media Player 网络共享服务：把媒体库共享到局域网
call :config WMPNetworkSvc start= disabled
:: 脱机文件：同步公司网络上的共享文件夹
call :config CscService start= disabled
:: 分布式链接跟踪客户端：跟踪局域网里移动过的 NTFS 文件链接
call :config TrkWks start= disabled
:: SNMP 陷阱：接收网络管理软件的消息
call :config SNMPTRAP start= disabled
:: WebClient：通过 WebDAV 访问网络文件夹，家用很少用到
call :config WebClient start= disabled

:: ==== Windows 10 和 11 的服务 ====
:: 用户体验和遥测：向微软发送使用数据
call :config DiagTrack start= disabled
:: WAP 推送消息路由服务：配合遥测和设备管理
call :config dmwappushservice start= disabled
:: 零售演示服务：商店展示机用
call :config RetailDemo start= disabled
:: 下载的地图管理器：离线地图用，改为需要时才启动
call :config MapsBroker start= demand
:: AllJoyn 路由服务：智能家居设备互联
call :config AJRouter start= disabled

:: 以下服务有意保留：
:: Windows Search：Windows 10 和 11 的开始菜单和设置里的搜索靠它；
:: 触摸键盘和手写面板服务：Windows 10 和 11 上关闭后，输入法在开始菜单等处可能无法输入中文；
:: 电话服务 TapiSrv：宽带拨号 PPPoE 要用到它；
:: Xbox 相关服务：玩游戏要用，本来就是需要时才启动；
:: 智能卡 SCardSvr：网上银行的 U盾和不少公司的登录钥匙要用到它；
:: Windows 错误报告服务 WerSvc：程序崩溃的报告用来查找和修补错误，其中也有安全漏洞；
:: Microsoft iSCSI 发起程序 MSiSCSI：本来就是需要时才启动，禁用它没有好处。

call :report
goto :eof

:: ==== 以下两段与 bf.bat 写出的还原脚本的末尾相同 ====

:: 显示合计
:report
set /a FAILED=TOTAL-SUCCEEDED-ABSENT
echo.
echo 共设置 %TOTAL% 项服务：成功 %SUCCEEDED% 项，本机没有此服务 %ABSENT% 项，失败 %FAILED% 项。改动在重启电脑后生效。
if %DENIED% gtr 0 echo 其中 %DENIED% 项拒绝访问：请以管理员身份重新运行本脚本（Vista 起：右键选择“以管理员身份运行”）。
goto :eof

:: 设置一项服务的启动方式，显示一行结果：call :config 服务名 start= 方式
:: 批处理把“=”也当作参数的分隔符，所以方式是 %3。sc 写全路径，不会运行当前文件夹里同名的程序；
:: sc 的退出码就是 Windows 的错误码：1060 为本机没有此服务，5 为拒绝访问。
:config
"%SystemRoot%\System32\sc.exe" config %1 start= %3 >nul 2>&1
set "CODE=%errorlevel%"
set /a TOTAL+=1
set "RESULT=失败 %CODE%"
if "%CODE%"=="0" set /a SUCCEEDED+=1
if "%CODE%"=="0" set "RESULT=成功"
if "%CODE%"=="1060" set /a ABSENT+=1
if "%CODE%"=="1060" set "RESULT=本机没有此服务 (1060)"
if "%CODE%"=="5" set /a DENIED+=1
if "%CODE%"=="5" set "RESULT=拒绝访问 (5)"
echo   %1：%RESULT%
goto :eof
