:: xp.bat：Windows XP 后台服务精简脚本
:: 把家用电脑用不到的后台服务设为禁用，并设定“XP选项”里可切换的十项服务。
:: 需要管理员权限：请用 Quellbrook 的“优化”按钮运行，或以管理员账户运行。
:: 运行前建议先点“快速备份当前服务”：每次备份写出一份新的还原脚本（restore.bat、restore-2.bat……），
:: 以后运行其中一份即可还原为那次备份时的设置。改动在重启电脑后生效。
:: 主窗口“XP选项”的复选框会直接改写下面十项服务所在的行，这些行须保持
:: “call :config 服务名 start= AUTO”或“call :config 服务名 start= DISABLED”的写法：大写，start= 后一个空格。
@echo off
setlocal
:: 按 ver 显示的版本号确认系统，以免在别的 Windows 上误运行
for /f "delims=" %%v in ('ver') do set "OSVER=%%v"
if not "%OSVER: 5.1.=%"=="%OSVER%" goto apply
if not "%OSVER: 5.2.=%"=="%OSVER%" goto apply
echo 当前系统不是 Windows XP，本脚本只适用于 Windows XP。
set "ANSWER="
set /p "ANSWER=仍要继续请输入 Y 后回车，直接回车则取消："
if /i not "%ANSWER%"=="Y" goto :eof

:apply
set /a TOTAL=0, SUCCEEDED=0, ABSENT=0, DENIED=0
echo 正在设置 Windows XP 后台服务……
echo.

:: ==== “XP选项”可切换的十项服务 ====
:: 应用层网关：Internet 连接共享和防火墙的协议插件，单机上网用不到
call :config ALG start= DISABLED
:: 事件日志：系统和程序的运行记录，事件查看器靠它
call :config Eventlog start= AUTO
:: 帮助和支持中心
call :config helpsvc start= DISABLED
:: 打印后台处理程序：使用打印机时需要
call :config Spooler start= AUTO
:: Windows 图像采集：扫描仪和数码相机用，需要时在“XP选项”中打开
call :config stisvc start= DISABLED
:: 自动更新：及时安装安全补丁
call :config wuauserv start= AUTO
:: 主题：XP 的窗口外观，关闭后变为经典样式，省些内存
call :config Themes start= AUTO
:: TCP/IP NetBIOS Helper：局域网“网上邻居”和打印共享的名称解析，单机用不到
call :config LmHosts start= DISABLED
:: WebClient：通过 WebDAV 访问网络文件夹，家用很少用到
call :config WebClient start= DISABLED
:: DHCP 客户端：自动获取 IP 地址，通过路由器或宽带上网都离不开它
call :config Dhcp start= AUTO

:: ==== 家用电脑用不到的其他服务 ====
:: 警报器：向局域网用户发送管理警报
call :config Alerter start= DISABLED
:: 剪贴簿：让远程计算机查看本机的剪贴簿
call :config ClipSrv start= DISABLED
:: 信使：接收局域网的“信使”弹窗消息，常被用来发广告
call :config Messenger start= DISABLED
:: 远程注册表：让网络上的其他电脑修改本机注册表
call :config RemoteRegistry start= DISABLED
:: 远程桌面帮助会话管理器：远程协助用
call :config RDSessMgr start= DISABLED
:: NetMeeting 远程桌面共享
call :config mnmsrvc start= DISABLED
:: Telnet：远程命令行登录
call :config TlntSvr start= DISABLED
:: 错误报告服务：程序出错后向微软发送报告
call :config ERSvc start= DISABLED
:: 索引服务：在后台为硬盘文件建索引，占用内存和硬盘
call :config cisvc start= DISABLED
:: 网络 DDE：早期程序之间的网络数据交换
call :config NetDDE start= DISABLED
:: 网络 DDE DSDM：管理网络 DDE 的共享
call :config NetDDEdsdm start= DISABLED
:: SSDP 发现服务：发现局域网里的 UPnP 设备
call :config SSDPSRV start= DISABLED
:: 通用即插即用设备主机：让本机充当 UPnP 设备
call :config upnphost start= DISABLED
:: 分布式链接跟踪客户端：跟踪局域网里移动过的 NTFS 文件链接
call :config TrkWks start= DISABLED

:: 以下服务有意保留：
:: 电话服务 TapiSrv 和远程访问连接管理器 RasMan：宽带拨号 PPPoE 要用到它们；
:: 智能卡 SCardSvr：网上银行的 U盾和不少公司的登录钥匙要用到它。

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
