// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, o, p, q, v, w, n);
   input m_clock;
   input p_reset;
   input [7:0] a;
   input [7:0] b;
   output [4:0] o;
   output [14:0] p;
   output [16:0] q;
   output [7:0] v;
   output [3:0] w;
   output [2:0] n;
   wire [7:0] _net_0;
   wire [15:0] _net_1;
   wire [17:0] _net_2;
   wire [7:0] _net_3;
   wire [5:0] _net_4;

   assign o = _net_0[4:0];

   assign p = _net_1[14:0];

   assign q = _net_2[16:0];

   assign v = ((~_net_3[7:0])|a[7:0]);

   assign w = (_net_0[3:0]+_net_0[7:4]);

   assign n = _net_4[5:3];

   assign _net_0 = (a-1'b1);

   assign _net_1 = 16'h7FFF;

   assign _net_2 = (({a,b})<<2);

   assign _net_3 = (a+b);

   assign _net_4 = (_net_3[7:2]-1'b1);
endmodule
