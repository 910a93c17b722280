// This file was translated at Sun Dec  6 23:53:57 2026
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, c, x, y, z);
   input m_clock;
   input p_reset;
   input a;
   input b;
   input c;
   output x;
   output y;
   output z;
   wire _net_0;
   wire _net_1;

   assign x = (((_net_0))?a:1'b0);

   assign y = (((_net_1))?b:1'b0);

   assign z = (_net_1|_net_0);

   assign _net_0 = (a&b);

   assign _net_1 = ((a|c)&b);
endmodule
